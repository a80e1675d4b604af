// The main window: a game from its start to its end, driven by keys. Each key runs the rules,
// then says and shows what they did.
#pragma once

#include <vector>

#include "data/clock.h"
#include "data/game.h"
#include "data/keys.h"
#include "narration/help.h"
#include "narration/rooms.h"
#include "rules/day.h"
#include "screens/history.h"
#include "screens/platform.h"
#include "screens/settings.h"
#include "speech/channel.h"

namespace fortuna {

class GameScreen {
 public:
  // settings is nothing when nothing is kept between runs.
  GameScreen(SpeechChannel& speech, Platform& platform, Windows& windows, Clock& clock,
             SettingsStore* settings)
      : speech_(speech),
        platform_(platform),
        windows_(windows),
        clock_(clock),
        settings_(settings) {}

  // The window's load: a new game for the start screen's roster and generator.
  void load(const Roster& roster, const Random& random);
  void key_down(Key key);

  // What the key would do now.
  Action action_for(Key key) const;
  // Every key that does something now, as F1 tells them.
  std::vector<HelpEntry> help() const;
  // Said at the end of F1: what a front end reads its own way.
  void set_help_extra(std::string extra) { help_extra_ = std::move(extra); }

  const Game& game() const { return game_; }
  const MessageHistory& history() const { return history_; }

 private:
  // What each key does (game_keys.cpp).
  Action digit_action(Key key) const;
  Action advance_action() const;
  void perform(Action action, Key key);
  void card_key(int digit, Modifiers modifiers);
  void target_key(int digit);
  void history_step(MessageHistory::Step step);
  void voice_changed(const std::string& said);

  // The rules, then what they did said and shown.
  void new_game();
  void go_on_with_rooms(Walk walk);
  void go_on_with_cards(Walk walk);
  void end_day();
  void announce_day();
  // Every text of the game goes through here, to be kept for the history.
  void say(const std::string& text, Wait wait = Wait::None);

  SpeechChannel& speech_;
  Platform& platform_;
  Windows& windows_;
  Clock& clock_;
  SettingsStore* settings_;
  std::string help_extra_;
  Game game_;
  MessageHistory history_;
  // A choice of the players', kept from one game to the next.
  CardNames card_names_ = CardNames::Long;
};

}  // namespace fortuna
