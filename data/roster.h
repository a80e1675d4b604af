// The ten heirs: who they are for the whole run, and where each one stands in today's game.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "data/cards.h"
#include "data/random.h"

namespace fortuna {

inline constexpr int kCharacterCount = 10;
// A character's place in the roster, 0 to 9.
using CharacterId = std::int16_t;

enum class Player : std::uint8_t { Computer, Person };
enum class Temper : std::uint8_t { Calm, Aggressive };
enum class Room : std::uint8_t;

// The two cards in hand; an empty slot holds kNoCard.
inline constexpr int kHandSize = 2;
using Hand = std::array<CardId, kHandSize>;

struct Character {
  std::string name;
  Player player = Player::Computer;
  Temper temper = Temper::Calm;
  bool alive = true;
  // Today's choices: where it went, which hand slot it plays, whether it throws that card away
  // unused, and whom the card is aimed at.
  std::optional<Room> room;
  Hand hand{kNoCard, kNoCard};
  std::optional<int> chosen_slot;
  bool discard = false;
  std::optional<CharacterId> target;

  CardId chosen_card() const {
    return chosen_slot ? hand[static_cast<std::size_t>(*chosen_slot)] : kNoCard;
  }
};

using Roster = std::array<Character, kCharacterCount>;

// The name a play aimed at nobody is said to be aimed at.
inline constexpr const char* kNobodyName = "Nadie en especial";

// The roster as every run starts it: the ten names in their fixed order, nobody played by a
// person, and a temper drawn for each one in order (from the generator before any seeding, so
// the same at every start).
Roster initial_roster(Random& random);
// The tempers alone, drawn as initial_roster draws them: a new set for a roster kept from game
// to game.
void draw_tempers(Roster& roster, Random& random);

}  // namespace fortuna
