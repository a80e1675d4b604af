// F1: what the keys do at this moment, in the words a player uses.
#pragma once

#include <string>
#include <vector>

#include "data/keys.h"

namespace fortuna {

// What a key does; the dispatchers of both screens decide by it, and the help names it.
enum class Action {
  Nothing,
  // The start screen's.
  WalkRoster,
  ToggleSelection,
  Rename,
  StartGame,
  // The moment's, in the game.
  ChooseRoom,
  TellCards,
  ChooseCard,
  ThrowCardAway,
  TellSituation,
  ChooseTarget,
  ListTargets,
  GoOn,
  NewGame,
  // Said, not done: the game asks for the answer it waits for, or beeps.
  AskForARoom,
  AskForACard,
  WrongTarget,
  Refuse,
  // Everywhere.
  TellHeir,
  Repeat,
  ToggleCardNames,
  Slower,
  Faster,
  PreviousVoice,
  NextVoice,
  Silence,
  HistoryOlder,
  HistoryNewer,
  HistoryOldest,
  HistoryNewest,
  Help,
  Leave,
};

struct HelpEntry {
  Action action;
  std::vector<Key> keys;  // every key that does it now
};

// The key joins the entry of its action, made when it is the first.
void add_to_help(std::vector<HelpEntry>& entries, Action action, Key key);

// Where a text said again stands in the history: a blind player hears where the ends are.
enum class HistoryPlace { First, Middle, Last, Only };
std::string history_entry_text(const std::string& text, HistoryPlace place);

// The moment's keys first, then those that work everywhere. extra, when not empty, is said at
// the end: what a front end adds or changes.
std::string help_text(const std::vector<HelpEntry>& entries, const std::string& extra = {});

}  // namespace fortuna
