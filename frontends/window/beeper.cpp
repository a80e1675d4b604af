#include "frontends/window/beeper.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "speech/quiet_stderr.h"
#include "speech/sdl_audio.h"

namespace fortuna {

namespace {
constexpr double kFrequency = 880.0;
constexpr double kSeconds = 0.15;
constexpr double kFadeSeconds = 0.01;
constexpr double kAmplitude = 0.4 * 32767;
}  // namespace

std::vector<std::int16_t> beep_tone(int sample_rate) {
  const auto count = static_cast<std::size_t>(kSeconds * sample_rate);
  const double fade = kFadeSeconds * sample_rate;
  std::vector<std::int16_t> samples(count);
  for (std::size_t i = 0; i < count; ++i) {
    const double edge = std::min({1.0, i / fade, (count - 1 - i) / fade});
    const double phase = 2 * std::numbers::pi * kFrequency * i / sample_rate;
    samples[i] = static_cast<std::int16_t>(std::lround(kAmplitude * edge * std::sin(phase)));
  }
  return samples;
}

Beeper::Beeper() : tone_(beep_tone(kBeepSampleRate)) {
  QuietStderr quiet;
  if (start_sdl_audio() != 0) return;
  audio_initialised_ = true;
  SDL_AudioSpec want{};
  want.freq = kBeepSampleRate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
}

Beeper::~Beeper() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (audio_initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Beeper::beep() {
  if (device_ == 0) return;
  const auto bytes = static_cast<Uint32>(tone_.size() * sizeof(std::int16_t));
  // Beeps in quick succession run together; a long backlog would sound after the keys.
  if (SDL_GetQueuedAudioSize(device_) > bytes) return;
  SDL_QueueAudio(device_, tone_.data(), bytes);
}

}  // namespace fortuna
