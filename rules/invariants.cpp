#include "rules/invariants.h"

#include <array>

namespace fortuna {

namespace {

std::string check_cards(const Game& game) {
  std::array<int, kCardCount> places{};
  auto place = [&](CardId id) -> std::string {
    if (id == kNoCard) return {};
    if (id < 0 || id >= kCardCount) return "a card number out of range";
    if (++places[static_cast<std::size_t>(id)] > 1)
      return "card " + std::to_string(id) + " is in two places";
    return {};
  };
  for (const Character& character : game.roster)
    for (CardId id : character.hand)
      if (auto error = place(id); !error.empty()) return error;
  for (CardId id : game.pile.positions())
    if (auto error = place(id); !error.empty()) return error;
  for (CardId id = 0; id < kCardCount; ++id) {
    if (places[static_cast<std::size_t>(id)] != 0) continue;
    if (!card(id).room || game.rooms.is_open(*card(id).room))
      return "card " + std::to_string(id) + " has left the game";
  }
  return {};
}

std::string check_people(const Game& game) {
  for (int c = 0; c < kCharacterCount; ++c) {
    const auto id = static_cast<CharacterId>(c);
    int rooms = 0;
    for (const Occupants& room : game.rooms.occupants) rooms += room.contains(id) ? 1 : 0;
    if (rooms > 1) return "character " + std::to_string(c) + " stands in two rooms";
    const Character& character = game.at(id);
    if (character.room && !game.rooms.in(*character.room).contains(id))
      return "character " + std::to_string(c) + " is missing from its room";
  }
  return {};
}

}  // namespace

std::string check_invariants(const Game& game) {
  if (game.rooms.open_count < 1 || game.rooms.open_count > kRoomCount)
    return "the drawing room has closed";
  const bool walking =
      game.phase == Phase::Rooms || game.phase == Phase::Cards || game.phase == Phase::Target;
  if (walking && (game.turn < 0 || game.turn >= game.turns.size()))
    return "the turn is outside the turn order";
  if ((game.phase == Phase::Over) != (game.ending != Ending::None))
    return "the ending does not match the phase";
  if (game.succession.heir_position < 0 || game.succession.heir_position >= kCharacterCount)
    return "the heir is outside the line of succession";
  if (auto error = check_cards(game); !error.empty()) return error;
  return check_people(game);
}

}  // namespace fortuna
