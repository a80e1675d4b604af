#include "game/voice_keys.h"

#include "game/platform.h"

namespace fortuna {

namespace {
constexpr int kRateLimit = 50;
}

void rate_key(SpeechChannel& speech, int code, std::int16_t shift, const char* slower_text) {
  const int step = shift != 0 ? 1 : 5;
  const int rate = speech.rate();
  if (code == keys::kF7) {
    if (rate > -kRateLimit) {
      speech.set_rate(rate - step);
      speech.Habla(slower_text, kFalse, kFalse);
    } else {
      speech.Habla("Velocidad mínima", kFalse, kFalse);
    }
  } else if (rate < kRateLimit) {
    speech.set_rate(rate + step);
    speech.Habla("Velocidad de la voz más rápida", kFalse, kFalse);
  } else {
    speech.Habla("Velocidad máxima", kFalse, kFalse);
  }
}

void voice_key(SpeechChannel& speech, int code) {
  if (speech.Voces.empty()) return;
  const int last = static_cast<int>(speech.Voces.size()) - 1;
  int index = speech.VozActual + (code == keys::kF9 ? -1 : 1);
  if (index < 0) index = last;
  if (index > last) index = 0;
  speech.VozActual = static_cast<std::int16_t>(index);
  speech.select_voice(index);
  speech.Habla(speech.Voces[static_cast<std::size_t>(index)], kFalse, kFalse);
}

}  // namespace fortuna
