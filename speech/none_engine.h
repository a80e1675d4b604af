// Silent: every text is finished as soon as it is given.
#pragma once

#include "speech/engine.h"

namespace fortuna {

class NoneEngine final : public SpeechEngine {
 public:
  void create_voice() override { rate_ = 0; }
  void speak(std::string_view) override {}
  void wait_until_done() override {}
  std::vector<std::string> list_voices() override { return {"Sin voz"}; }
  void select_voice(int) override {}
  int rate() const override { return rate_; }
  void set_rate(int rate) override { rate_ = rate; }

 private:
  int rate_ = 0;
};

}  // namespace fortuna
