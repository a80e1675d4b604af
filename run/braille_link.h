// The run's braille display: every text the player may hear is shown on it (it watches the
// speech channel beside the transcript), and its keys reach the game as the front end's own,
// through the inbox. brltty is found as every BrlAPI program finds it: BRLAPI_HOST and
// BRLAPI_AUTH, else its local defaults.
#pragma once

#include <memory>
#include <ostream>

#include "run/inbox.h"
#include "run/options.h"
#include "run/session.h"
#include "speech/channel.h"

namespace fortuna {

// Whether this build can drive a braille display at all (Linux: brltty's BrlAPI); a build that
// cannot offers no braille option.
bool braille_built();

// What is to watch the speech channel: a display beside `next` (the transcript), which it
// forwards everything to; nothing with --braille off or without braille in this build. Returns
// at once: brltty is reached in the background. Destroying it gives the display back to the
// screen reader. It must be destroyed before the inbox and the session.
std::unique_ptr<SpeechObserver> attach_braille(BrailleMode mode, BrailleCode code,
                                               SpeechObserver& next, Inbox& inbox, Session& session,
                                               std::ostream& messages);

}  // namespace fortuna
