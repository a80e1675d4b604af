// A whole program for tests: recording engine, fake platform, fixed clock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/invariants.h"
#include "game/program.h"
#include "speech/recording_engine.h"
#include "support/fake_platform.h"

namespace fortuna::testing {

// Everything Habla was given, in order, with its wait flags.
class SpeechLog final : public SpeechObserver {
 public:
  struct Entry {
    std::string text;
    bool wait_before = false, wait_after = false;
  };
  void on_speak(const std::string& text, bool before, bool after) override {
    entries.push_back({text, before, after});
  }
  void on_rate(int) override {}
  void on_voice(int) override {}
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.text);
    return out;
  }
  std::string last() const { return entries.empty() ? std::string() : entries.back().text; }
  std::vector<Entry> entries;
};

struct TestProgram {
  explicit TestProgram(TimeOfDay time = {10, 20, 30},
                       std::vector<std::string> voices = {"Voz uno", "Voz dos", "Voz tres"})
      : engine(std::move(voices)), clock(time), program(engine, platform, clock) {
    program.speech.set_observer(&log);
  }

  // Start screen loaded; the greeting has been spoken.
  void start() { program.start(); }
  // Start screen, then Enter: the main window is open on the first day.
  void start_game() {
    start();
    key(13);
  }
  void key(int code, int shift = 0) {
    program.key_down(static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift));
  }
  std::string invariants() const { return check_invariants(program); }

  MainWindow& main() { return program.main_window; }
  Roster& roster() { return program.Personajes; }

  RecordingEngine engine;
  FakePlatform platform;
  FixedClock clock;
  SpeechLog log;
  Program program;
};

}  // namespace fortuna::testing
