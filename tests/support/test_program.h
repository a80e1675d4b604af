// A whole program for tests: recording engine, fake platform, fixed clock.
#pragma once

#include <string>
#include <vector>

#include "screens/program.h"
#include "support/fake_platform.h"
#include "support/recording_engine.h"

namespace fortuna::testing {

// Everything said, in order, with its waits.
class SpeechLog final : public SpeechObserver {
 public:
  struct Entry {
    std::string text;
    Wait wait;
    Address to;
  };
  void on_speak(const std::string& text, Wait wait, const Address& to) override {
    entries.push_back({text, wait, to});
  }
  void on_rate(int) override {}
  void on_voice(int) override {}
  std::string last() const { return entries.empty() ? std::string() : entries.back().text; }
  std::vector<Entry> entries;
};

struct TestProgram {
  explicit TestProgram(TimeOfDay time = {10, 20, 30}, SettingsStore* settings = nullptr)
      : clock(time), program(engine, platform, clock, settings) {
    program.speech().set_observer(&log);
    program.start();
  }

  void key(int code, Modifiers modifiers = {}) { program.key_down({code, modifiers}); }
  const Game& game() const { return program.game_screen().game(); }

  RecordingEngine engine;
  FakePlatform platform;
  FixedClock clock;
  SpeechLog log;
  Program program;
};

}  // namespace fortuna::testing
