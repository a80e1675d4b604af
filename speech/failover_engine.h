// Speaks through one engine and, when that one fails during the run (a speech service killed
// or gone silent), through the next: one line says so, the game's rate carries over, and the
// text that may still have been playing is said again, whole. A watcher notices a failure
// within a fraction of a second even while the game waits for a key.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

#include "speech/engine.h"

namespace fortuna {

struct OpenedEngine {
  std::unique_ptr<SpeechEngine> engine;
  // Why it can no longer speak (one line), or empty; none for engines that cannot fail later.
  std::function<std::string()> fault;
  std::string name;  // for the messages: "espeak-ng"
};

class FailoverEngine final : public SpeechEngine {
 public:
  // next() opens the engine to use after a failure; it always gives one.
  FailoverEngine(OpenedEngine first, std::function<OpenedEngine()> next, std::ostream& messages);
  ~FailoverEngine() override;
  FailoverEngine(const FailoverEngine&) = delete;
  FailoverEngine& operator=(const FailoverEngine&) = delete;

  void create_voice() override;
  void speak(std::string_view utf8) override;
  void wait_until_done() override;
  std::vector<std::string> list_voices() override;
  void select_voice(int index) override;
  int rate() const override;
  void set_rate(int rate) override;

  // The engine speaking now.
  const std::string& current_name() const { return current_.name; }

 private:
  // Takes the next engine if the current one failed; true when it did.
  bool fail_over_if_needed();
  void watch();

  mutable std::mutex mutex_;
  OpenedEngine current_;
  std::function<OpenedEngine()> next_;
  std::ostream& messages_;
  int rate_ = 0;
  std::string last_text_;
  std::chrono::steady_clock::time_point last_said_at_;
  bool stopping_ = false;
  std::condition_variable stop_;
  std::thread watcher_;
};

}  // namespace fortuna
