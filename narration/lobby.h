// What a table says of the people at it: who arrives, leaves, takes or gives back a character,
// renames one, starts the game, goes away, is stood in for by the computer, comes back; and the
// summary heard on coming back.
#pragma once

#include <optional>
#include <string>

#include "data/audience.h"
#include "data/game.h"
#include "narration/rooms.h"

namespace fortuna {

std::string arrival(const std::string& person, Role role);
// character: the one held, which the computer plays from now on.
std::string departure(const std::string& person, const std::string* character);
std::string taking(const std::string& person, const std::string& character);
enum class GameState : std::uint8_t { NotStarted, Started };
std::string giving_back(const std::string& person, const std::string& character, GameState state);
std::string renaming(const std::string& old_name, const std::string& new_name);
std::string game_start(const std::string& person);
// grace_seconds: how long the character waits for its person before the computer plays it.
std::string absence(const std::string& person, const std::string& character, int grace_seconds);
std::string standing_in(const std::string& person, const std::string& character);
std::string return_of(const std::string& person);

// Coming back to a table: where, who the person is, their cards and what the table waits for.
// game is nothing before the start.
struct Whereabouts {
  std::string table;
  std::string creator;
  Role role = Role::Player;
  std::optional<CharacterId> seat;
  std::string character;  // the seat's name, before the game
  CardNames names = CardNames::Long;
};
std::string resume_summary(const Whereabouts& where, const Game* game);

}  // namespace fortuna
