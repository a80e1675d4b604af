// One game as a value: the characters with today's choices, the generator, the line of
// succession, the pile, the rooms, the turn order and the phase of the day.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <optional>

#include "data/fixed_list.h"
#include "data/pile.h"
#include "data/random.h"
#include "data/rooms.h"
#include "data/roster.h"
#include "data/succession.h"

namespace fortuna {

enum class Phase : std::uint8_t {
  DayStart,  // the cards are dealt; the day waits to begin
  Rooms,     // characters go to rooms
  Cards,     // characters choose a card
  Target,    // a person names the target of the card chosen
  Over,      // the game has ended
};

enum class Ending : std::uint8_t { None, HeirEscaped, NobodyLeft, OneLeft };

// A short list of characters in a fixed order: the day's turns, the targets offered.
using CharacterList = FixedList<CharacterId, kCharacterCount>;

struct Game {
  Roster roster;
  Random random;
  Succession succession;
  Pile pile;
  Rooms rooms;
  CharacterList turns;  // the living, in today's order
  int turn = 0;         // the one being served
  CharacterList offered_targets;
  Phase phase = Phase::DayStart;
  Ending ending = Ending::None;
  std::optional<CharacterId> winner;  // who left with the keys

  Character& at(CharacterId id) { return roster[static_cast<std::size_t>(id)]; }
  const Character& at(CharacterId id) const { return roster[static_cast<std::size_t>(id)]; }
  CharacterId current() const { return turns[turn]; }
  CharacterId heir() const { return succession.heir(); }
};

}  // namespace fortuna
