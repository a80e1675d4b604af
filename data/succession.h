// The line of succession: fixed for a game, with the position of the current heir moving along.
#pragma once

#include <array>
#include <cassert>

#include "data/random.h"
#include "data/roster.h"

namespace fortuna {

struct Succession {
  std::array<CharacterId, kCharacterCount> line{};
  int heir_position = 0;

  CharacterId heir() const { return line[static_cast<std::size_t>(heir_position)]; }
  // One place on, from the last back to the first.
  void step() { heir_position = (heir_position + 1) % kCharacterCount; }
};

// The roster's order, then 100 exchanges of neighbours.
Succession shuffled_succession(Random& random);

}  // namespace fortuna
