// The rate and voice keys, the same on both screens but for the words F7 speaks.
#pragma once

#include <string>

#include "data/keys.h"
#include "screens/settings.h"
#include "speech/channel.h"

namespace fortuna {

// F7 slower, F8 faster: steps of 5, or 1 with any modifier held; the limit is tested before
// the step, so -49 becomes -54. Returns what to say.
std::string rate_key(SpeechChannel& speech, Key key, const char* slower_text);

// F9 previous, F10 next, wrapping around the voices; returns the new voice's description, which
// the new voice says itself.
std::string voice_key(SpeechChannel& speech, Key key);

// The remembered rate and voice, on a fresh voice; a voice no longer installed leaves the
// default one.
void apply_voice_settings(SpeechChannel& speech, const Settings& settings);
// The rate and voice as they are now, into settings.
void keep_voice_settings(const SpeechChannel& speech, Settings& settings);

}  // namespace fortuna
