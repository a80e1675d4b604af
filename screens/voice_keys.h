// The rate and voice keys, the same on both screens but for the words F7 speaks.
#pragma once

#include "screens/keys.h"
#include "speech/channel.h"

namespace fortuna {

// F7 slower, F8 faster: steps of 5, or 1 with any modifier held; the limit is tested before
// the step, so -49 becomes -54.
void rate_key(SpeechChannel& speech, Key key, const char* slower_text);

// F9 previous, F10 next, wrapping around the voices; the new voice says its own description.
void voice_key(SpeechChannel& speech, Key key);

}  // namespace fortuna
