// An engine that remembers every operation, with a pretend clock: a text takes time to speak,
// so tests can tell a purge from a wait.
#pragma once

#include <string>
#include <vector>

#include "speech/engine.h"

namespace fortuna {

class RecordingEngine final : public SpeechEngine {
 public:
  struct Operation {
    enum class Kind { CreateVoice, Speak, Wait, SelectVoice, SetRate } kind;
    std::string text;  // Speak: the text as the engine got it
    int value = 0;     // SelectVoice: index; SetRate: rate
    bool operator==(const Operation&) const = default;
  };

  explicit RecordingEngine(std::vector<std::string> voices = {"Voz uno", "Voz dos", "Voz tres"})
      : voices_(std::move(voices)) {}

  void create_voice() override;
  void speak(std::string_view utf8) override;
  void wait_until_done() override;
  std::vector<std::string> list_voices() override { return voices_; }
  void select_voice(int index) override;
  int rate() const override { return rate_; }
  void set_rate(int rate) override;

  // Every operation, in order.
  const std::vector<Operation>& operations() const { return operations_; }
  // The texts given to speak, in order (silences included as empty texts).
  std::vector<std::string> spoken() const;
  void clear() { operations_.clear(); }

  // The pretend clock: a text sounds for one tick per character; waiting jumps to its end.
  long now() const { return now_; }
  void advance(long ticks) { now_ += ticks; }
  // The text sounding now (empty when silent), and the texts heard to their end.
  std::string sounding() const;
  const std::vector<std::string>& heard_whole() const { return heard_whole_; }
  int current_voice() const { return voice_; }

 private:
  void settle();

  std::vector<std::string> voices_;
  std::vector<Operation> operations_;
  std::vector<std::string> heard_whole_;
  std::string current_text_;
  long started_at_ = 0;
  long now_ = 0;
  int rate_ = 0;
  int voice_ = 0;
};

}  // namespace fortuna
