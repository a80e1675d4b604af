#include "screens/voice_keys.h"

#include "narration/voice.h"

namespace fortuna {

namespace {
constexpr int kRateLimit = 50;
}

void rate_key(SpeechChannel& speech, Key key, const char* slower_text) {
  const int step = key.modifiers.any() ? 1 : 5;
  const int rate = speech.rate();
  if (key.code == keys::kF7) {
    if (rate > -kRateLimit) {
      speech.set_rate(rate - step);
      speech.say(slower_text);
    } else {
      speech.say(kSlowest);
    }
  } else if (rate < kRateLimit) {
    speech.set_rate(rate + step);
    speech.say(kFaster);
  } else {
    speech.say(kFastest);
  }
}

void voice_key(SpeechChannel& speech, Key key) {
  const auto& voices = speech.voices();
  if (voices.empty()) return;
  const int last = static_cast<int>(voices.size()) - 1;
  int index = speech.current_voice() + (key.code == keys::kF9 ? -1 : 1);
  if (index < 0) index = last;
  if (index > last) index = 0;
  speech.set_current_voice(index);
  speech.select_voice(index);
  speech.say(voices[static_cast<std::size_t>(index)]);
}

}  // namespace fortuna
