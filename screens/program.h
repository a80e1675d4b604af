// The running program: the voice and the two windows, with the windows' lifecycle (a window is
// loaded when first shown; the program ends when the last one closes).
#pragma once

#include "data/clock.h"
#include "data/keys.h"
#include "screens/game_screen.h"
#include "screens/platform.h"
#include "screens/start_screen.h"
#include "speech/channel.h"

namespace fortuna {

class Program final : private Windows {
 public:
  // settings is nothing when nothing is kept between runs.
  Program(SpeechEngine& engine, Platform& platform, Clock& clock,
          SettingsStore* settings = nullptr);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Opens the start window; its load speaks the greeting.
  void start();
  // A key for the window that has the keys: the main window once it is open. Alt+F4 then
  // closes that window, whatever the window made of the key. A seat's keys (the start-screen
  // place of the character its person plays) are the game's; the start screen takes them as the
  // keyboard's.
  void key_down(Key key, std::optional<CharacterId> seat = std::nullopt);
  // Each seat hears on its own (GameScreen::use_seats), in this game and every next one.
  void use_seats() { game_screen_.use_seats(); }
  bool ended() const { return started_ && !start_.open && !main_.open; }
  bool is_open(WindowId window) const { return state(window).open; }

  // What a front end adds to F1 on both screens: keys it reads its own way.
  void set_help_extra(std::string extra);

  SpeechChannel& speech() { return speech_; }
  const StartScreen& start_screen() const { return start_screen_; }
  const GameScreen& game_screen() const { return game_screen_; }
  GameScreen& game_screen() { return game_screen_; }

 private:
  struct WindowState {
    bool open = false, loaded = false;
  };
  WindowState& state(WindowId window) { return window == WindowId::Start ? start_ : main_; }
  const WindowState& state(WindowId window) const {
    return window == WindowId::Start ? start_ : main_;
  }
  void show(WindowId window) override;
  void close(WindowId window) override;

  SpeechChannel speech_;
  Platform& platform_;
  StartScreen start_screen_;
  GameScreen game_screen_;
  bool started_ = false;
  WindowState start_, main_;
};

}  // namespace fortuna
