// Keys people at seats might press, drawn at random: the seat on turn answering, anyone moving
// the day on, or anyone asking or choosing out of turn.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "data/game.h"
#include "data/keys.h"
#include "rules/day.h"

namespace fortuna::testing {

using Seat = std::optional<CharacterId>;

inline std::pair<Seat, Key> likely_key(const Game& game, const std::vector<int>& people,
                                       Random& r) {
  const auto anyone = [&] { return Seat(people[r.draw(people.size()) - 1]); };
  const auto digit = [](int d) { return Key{keys::k0 + d, {}}; };
  const auto person = on_turn(game);
  if (!person) return {anyone(), game.phase == Phase::Over ? digit(1) : Key{keys::kSpace, {}}};
  switch (game.phase) {
    case Phase::Rooms:
      return {person, digit(r.draw(game.rooms.open_count))};
    case Phase::Target:
      return {person, digit(r.draw(game.offered_targets.size() + 1))};
    default:
      return {person, {keys::k0 + r.draw(2), {false, r.x() < 0.2, false}}};
  }
}

inline std::pair<Seat, Key> any_key(const std::vector<int>& people, Random& r) {
  constexpr int kCodes[] = {keys::kSpace, keys::k1, keys::k1 + 1, keys::k1 + 2, keys::kC,
                            keys::kP,     keys::kH, keys::kF5,    keys::kF6,    keys::kPageUp};
  const Seat seat = r.x() < 0.1 ? Seat() : Seat(people[r.draw(people.size()) - 1]);
  return {seat, {kCodes[r.draw(std::size(kCodes)) - 1], {false, r.x() < 0.1, false}}};
}

}  // namespace fortuna::testing
