// The system beep of the window: a short tone on an audio device of its own, queued and
// never waited for.
#pragma once

#include <SDL_audio.h>

#include <cstdint>
#include <vector>

namespace fortuna {

inline constexpr int kBeepSampleRate = 22050;

// One beep as mono 16-bit samples: a clear tone with soft edges so that it does not click.
std::vector<std::int16_t> beep_tone(int sample_rate);

class Beeper {
 public:
  // Opens its own device; without one every beep is silent.
  Beeper();
  ~Beeper();
  Beeper(const Beeper&) = delete;
  Beeper& operator=(const Beeper&) = delete;

  void beep();
  bool has_sound() const { return device_ != 0; }

 private:
  SDL_AudioDeviceID device_ = 0;
  bool audio_initialised_ = false;
  std::vector<std::int16_t> tone_;
};

}  // namespace fortuna
