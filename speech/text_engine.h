// Speaks by printing: each text one line on an output stream, for braille displays,
// screen readers and pipes.
#pragma once

#include <ostream>

#include "speech/engine.h"

namespace fortuna {

class TextEngine final : public SpeechEngine {
 public:
  explicit TextEngine(std::ostream& out) : out_(out) {}

  void create_voice() override { rate_ = 0; }
  void speak(std::string_view utf8) override;
  void wait_until_done() override {}
  std::vector<std::string> list_voices() override { return {"Texto"}; }
  void select_voice(int) override {}
  int rate() const override { return rate_; }
  void set_rate(int rate) override { rate_ = rate; }

 private:
  std::ostream& out_;
  int rate_ = 0;
};

}  // namespace fortuna
