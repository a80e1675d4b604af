// The rate and voice keys, the same on both windows but for the words they speak.
#pragma once

#include <cstdint>

#include "speech/channel.h"

namespace fortuna {

// F7 (slower) or F8 (faster): steps of 5, or 1 with any modifier held; the limit is tested
// before the step, so -49 becomes -54. slower_text is what F7 says when it moves the rate.
void rate_key(SpeechChannel& speech, int code, std::int16_t shift, const char* slower_text);

// F9 (previous) or F10 (next), wrapping around Voces; speaks the new voice's description in it.
void voice_key(SpeechChannel& speech, int code);

}  // namespace fortuna
