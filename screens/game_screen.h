// The main window: a game from its start to its end, driven by keys. Each key runs the rules,
// then says and shows what they did.
#pragma once

#include "data/clock.h"
#include "data/game.h"
#include "narration/rooms.h"
#include "rules/day.h"
#include "screens/keys.h"
#include "screens/platform.h"
#include "speech/channel.h"

namespace fortuna {

class GameScreen {
 public:
  GameScreen(SpeechChannel& speech, Platform& platform, Windows& windows, Clock& clock)
      : speech_(speech), platform_(platform), windows_(windows), clock_(clock) {}

  // The window's load: a new game for the start screen's roster and generator.
  void load(const Roster& roster, const Random& random);
  void key_down(Key key);

  const Game& game() const { return game_; }
  CardNames card_names() const { return card_names_; }

 private:
  // What each key does (game_keys.cpp).
  void digit_key(Key key);
  void help_key(Key key);
  void advance();
  void room_key(int digit);
  void card_key(int digit, Modifiers modifiers);
  void target_key(int digit);

  // The rules, then what they did said and shown.
  void new_game();
  void go_on_with_rooms(Walk walk);
  void go_on_with_cards(Walk walk);
  void end_day();
  void announce_day();

  SpeechChannel& speech_;
  Platform& platform_;
  Windows& windows_;
  Clock& clock_;
  Game game_;
  // A choice of the players', kept from one game to the next.
  CardNames card_names_ = CardNames::Long;
};

}  // namespace fortuna
