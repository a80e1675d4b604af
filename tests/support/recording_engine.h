// An engine that remembers what it was asked, in order: each text given (a silence as the empty
// text) and each wait as "(wait)".
#pragma once

#include <string>
#include <vector>

#include "speech/engine.h"

namespace fortuna::testing {

class RecordingEngine final : public SpeechEngine {
 public:
  explicit RecordingEngine(std::vector<std::string> voices = {"Voz uno", "Voz dos", "Voz tres"})
      : voices_(std::move(voices)) {}

  void create_voice() override { rate_ = voice_ = 0; }
  void speak(std::string_view utf8) override { calls.emplace_back(utf8); }
  void wait_until_done() override { calls.emplace_back("(wait)"); }
  std::vector<std::string> list_voices() override { return voices_; }
  void select_voice(int index) override { voice_ = index; }
  int rate() const override { return rate_; }
  void set_rate(int rate) override { rate_ = rate; }
  int current_voice() const { return voice_; }

  std::vector<std::string> calls;

 private:
  std::vector<std::string> voices_;
  int rate_ = 0, voice_ = 0;
};

}  // namespace fortuna::testing
