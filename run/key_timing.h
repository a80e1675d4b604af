// Key to speech: how long the game takes from a key reaching the front end to the first text it
// makes the game say, written where the engine has it. Front ends measure this for their latency
// scripts (FORTUNA_KEY_TIMING names the file the figures go to).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "speech/engine.h"

namespace fortuna {

// Nanoseconds of the steady clock, the one time every front end stamps its keys with.
std::uint64_t steady_nanoseconds();

// Passes every operation on and times the first text after each key.
class TimedEngine final : public SpeechEngine {
 public:
  explicit TimedEngine(SpeechEngine& inner) : inner_(inner) {}

  // The key being delivered reached the front end at this steady time (nothing: a key not to be
  // timed).
  void key_started(std::optional<std::uint64_t> at_nanoseconds) { key_at_ = at_nanoseconds; }

  void create_voice() override { inner_.create_voice(); }
  void speak(std::string_view utf8) override;
  void wait_until_done() override { inner_.wait_until_done(); }
  std::vector<std::string> list_voices() override { return inner_.list_voices(); }
  void select_voice(int index) override { inner_.select_voice(index); }
  int rate() const override { return inner_.rate(); }
  void set_rate(int rate) override { inner_.set_rate(rate); }

  // One figure per key that made the game say something, in microseconds.
  const std::vector<double>& samples_us() const { return samples_us_; }

 private:
  SpeechEngine& inner_;
  std::optional<std::uint64_t> key_at_;
  std::vector<double> samples_us_;
};

// The figures, one in microseconds a line, where FORTUNA_KEY_TIMING says; nothing when unset.
void write_key_timings(const TimedEngine& timed);

}  // namespace fortuna
