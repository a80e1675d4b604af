// An engine that remembers what it was asked, with a pretend clock: a text sounds for one tick
// per byte and waiting jumps to its end, so that tests can tell a purge from a wait.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "speech/engine.h"

namespace fortuna::testing {

class RecordingEngine final : public SpeechEngine {
 public:
  explicit RecordingEngine(std::vector<std::string> voices = {"Voz uno", "Voz dos", "Voz tres"})
      : voices_(std::move(voices)) {}

  void create_voice() override { rate_ = voice_ = 0; }
  void speak(std::string_view utf8) override {
    settle();
    sounding_ = std::string(utf8);  // whatever was sounding is cut off
    started_at_ = now_;
    spoken.push_back(sounding_);
  }
  void wait_until_done() override {
    now_ = std::max(now_, started_at_ + static_cast<long>(sounding_.size()));
    settle();
    ++waits;
  }
  std::vector<std::string> list_voices() override { return voices_; }
  void select_voice(int index) override { voice_ = index; }
  int rate() const override { return rate_; }
  void set_rate(int rate) override { rate_ = rate; }

  void advance(long ticks) { now_ += ticks; }
  // The text sounding now, empty when silent.
  std::string sounding() const {
    return now_ - started_at_ < static_cast<long>(sounding_.size()) ? sounding_ : std::string();
  }
  int current_voice() const { return voice_; }

  std::vector<std::string> spoken;       // every text given, silences as empty texts
  std::vector<std::string> heard_whole;  // the texts that sounded to their end
  int waits = 0;

 private:
  void settle() {
    if (sounding_.empty() || !sounding().empty()) return;
    heard_whole.push_back(sounding_);
    sounding_.clear();
  }

  std::vector<std::string> voices_;
  std::string sounding_;
  long started_at_ = 0, now_ = 0;
  int rate_ = 0, voice_ = 0;
};

}  // namespace fortuna::testing
