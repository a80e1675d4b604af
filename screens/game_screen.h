// The main window: a game from its start to its end, driven by keys. Each key runs the rules,
// then says and shows what they did.
#pragma once

#include <utility>
#include <vector>

#include "data/clock.h"
#include "data/game.h"
#include "data/keys.h"
#include "narration/help.h"
#include "narration/rooms.h"
#include "rules/day.h"
#include "screens/history.h"
#include "screens/listeners.h"
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
        listeners_(speech),
        platform_(platform),
        windows_(windows),
        clock_(clock),
        settings_(settings) {}

  // The window's load: a new game for the start screen's roster and generator. The characters
  // people play are the game's seats.
  void load(const Roster& roster, const Random& random);
  // A key from a seat (the start-screen place of the character its person plays), or from the
  // keyboard, which holds every seat (nothing).
  void key_down(Key key, std::optional<CharacterId> from = std::nullopt);

  // Each seat hears on its own from now on: its question is its own, the table hears whose turn
  // it is, and a seat's key out of turn changes nothing and hears whose turn it is.
  void use_seats();
  // Who plays a seat from now on: the computer, when its person leaves (the game goes on at
  // once if it waited for them), or the person again.
  void set_player(CharacterId seat, Player player);

  // What the key would do now, for the character of whoever pressed it.
  Action action_for(Key key, std::optional<CharacterId> from = std::nullopt) const;
  // Every key that does something now, as F1 tells them.
  std::vector<HelpEntry> help() const;
  // The keys with which a seat moves the game on or asks about it now, each with what it does:
  // what a page shows as buttons. The voice's, the history's and help are the page's own.
  std::vector<std::pair<Key, Action>> choices(CharacterId seat) const;
  CardNames card_names(std::optional<CharacterId> seat) const { return listeners_.of(seat).names; }
  // Said at the end of F1: what a front end reads its own way.
  void set_help_extra(std::string extra) { help_extra_ = std::move(extra); }

  const Game& game() const { return game_; }
  const MessageHistory& history(std::optional<CharacterId> seat = std::nullopt) const {
    return listeners_.of(seat).history;
  }

 private:
  // What each key does (game_keys.cpp).
  Action digit_action(Key key) const;
  Action advance_action() const;
  bool may(Action action, CharacterId seat) const;
  void perform(Action action, Key key, std::optional<CharacterId> from);
  void card_key(int digit, Modifiers modifiers);
  void target_key(int digit, std::optional<CharacterId> from);
  void history_step(MessageHistory::Step step, std::optional<CharacterId> from);
  void voice_changed(const std::string& said, std::optional<CharacterId> from);
  // The asker's own character: its seat's, or the keyboard's (the one on turn).
  CharacterId own(std::optional<CharacterId> from) const { return from ? *from : game_.current(); }

  // The rules, then what they did said and shown.
  void new_game();
  void go_on_with_rooms(Walk walk);
  void go_on_with_cards(Walk walk);
  void ask(CharacterId person, const Listeners::Wording& question);
  void end_day();
  void announce_day();

  SpeechChannel& speech_;
  Listeners listeners_;
  Platform& platform_;
  Windows& windows_;
  Clock& clock_;
  SettingsStore* settings_;
  std::string help_extra_;
  Game game_;
  // The characters people play, whoever chooses for them now.
  std::array<bool, kCharacterCount> seats_{};
  bool seats_in_use_ = false;
};

}  // namespace fortuna
