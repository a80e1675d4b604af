// The running program: the roster, the voice, the generator and the two windows, with the
// windows' lifecycle (load on first show, the program ends when the last one closes).
#pragma once

#include <cstdint>

#include "game/main_window.h"
#include "game/platform.h"
#include "model/clock.h"
#include "model/random.h"
#include "model/roster.h"
#include "speech/channel.h"
#include "start/start_screen.h"

namespace fortuna {

class Program {
 public:
  Program(SpeechEngine& engine, Platform& platform, Clock& clock);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Opens the start window; its load speaks the greeting.
  void start();
  // A key-down for the window that has the keys (the main window once it is open).
  void key_down(std::int16_t code, std::int16_t shift);
  bool ended() const { return !start_open_ && !main_open_ && started_; }

  void show_window(WindowId window);
  void close_window(WindowId window);
  bool is_open(WindowId window) const {
    return window == WindowId::Start ? start_open_ : main_open_;
  }
  // The modal input box; whatever the front end returns comes back as valid UTF-8.
  std::string input_box(const std::string& prompt, const std::string& title,
                        const std::string& default_text);

  Roster Personajes{};
  Random random;
  SpeechChannel speech;
  Platform& platform;
  Clock& clock;
  StartScreen start_screen;
  MainWindow main_window;

 private:
  bool started_ = false;
  bool start_open_ = false, start_loaded_ = false;
  bool main_open_ = false, main_loaded_ = false;
};

}  // namespace fortuna
