// Key byte to text line: how long the terminal front end takes from reading a key's bytes to
// having written (and flushed) the first text the key makes the game say.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "speech/engine.h"

namespace fortuna {

class LineTimingEngine final : public SpeechEngine {
 public:
  using Clock = std::chrono::steady_clock;
  explicit LineTimingEngine(SpeechEngine& inner) : inner_(inner) {}

  // The key being delivered was read at this time (nothing: a key not to be timed).
  void key_read(std::optional<Clock::time_point> at) { read_at_ = at; }

  void create_voice() override { inner_.create_voice(); }
  void speak(std::string_view utf8) override {
    inner_.speak(utf8);
    if (read_at_ && !utf8.empty()) {
      samples_us_.push_back(
          std::chrono::duration<double, std::micro>(Clock::now() - *read_at_).count());
      read_at_.reset();
    }
  }
  void wait_until_done() override { inner_.wait_until_done(); }
  std::vector<std::string> list_voices() override { return inner_.list_voices(); }
  void select_voice(int index) override { inner_.select_voice(index); }
  int rate() const override { return inner_.rate(); }
  void set_rate(int rate) override { inner_.set_rate(rate); }

  // One figure per key that made the game say something, in microseconds.
  const std::vector<double>& samples_us() const { return samples_us_; }

 private:
  SpeechEngine& inner_;
  std::optional<Clock::time_point> read_at_;
  std::vector<double> samples_us_;
};

}  // namespace fortuna
