#include "screens/voice_keys.h"

#include <algorithm>

#include "narration/voice.h"

namespace fortuna {

namespace {
constexpr int kRateLimit = 50;
}

std::string rate_key(SpeechChannel& speech, Key key, const char* slower_text) {
  const int step = key.modifiers.any() ? 1 : 5;
  const int rate = speech.rate();
  if (key.code == keys::kF7) {
    if (rate <= -kRateLimit) return kSlowest;
    speech.set_rate(rate - step);
    return slower_text;
  }
  if (rate >= kRateLimit) return kFastest;
  speech.set_rate(rate + step);
  return kFaster;
}

std::string voice_key(SpeechChannel& speech, Key key) {
  const auto& voices = speech.voices();
  if (voices.empty()) return {};
  const int last = static_cast<int>(voices.size()) - 1;
  int index = speech.current_voice() + (key.code == keys::kF9 ? -1 : 1);
  if (index < 0) index = last;
  if (index > last) index = 0;
  speech.set_current_voice(index);
  speech.select_voice(index);
  return voices[static_cast<std::size_t>(index)];
}

void apply_voice_settings(SpeechChannel& speech, const Settings& settings) {
  if (settings.rate) speech.set_rate(std::clamp(*settings.rate, -kRateLimit - 4, kRateLimit + 4));
  if (!settings.voice) return;
  const auto& voices = speech.voices();
  const auto found = std::find(voices.begin(), voices.end(), *settings.voice);
  if (found == voices.end()) return;
  const auto index = static_cast<int>(found - voices.begin());
  speech.set_current_voice(index);
  speech.select_voice(index);
}

void keep_voice_settings(const SpeechChannel& speech, Settings& settings) {
  settings.rate = speech.rate();
  const auto& voices = speech.voices();
  const auto index = static_cast<std::size_t>(speech.current_voice());
  if (index < voices.size() && !voices[index].empty()) settings.voice = voices[index];
}

}  // namespace fortuna
