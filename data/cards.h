// The 40 cards of the game: each a short story the player hears, with its kind and its room.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fortuna {

enum class CardKind : std::uint8_t {
  Keys,           // the heir who plays them in the drawing room leaves and wins
  HeirChange,     // the inheritance passes to the next one in the line
  CardSwap,       // the kept cards of player and target change hands
  HidingPlace,    // safe from every attack
  StrongAttack,   // a trap of one room, for someone in that room
  WeakAttack,     // a weapon for anyone, anywhere
  StrongDefence,  // stops a strong attack
  WeakDefence,    // stops a weak attack
};

enum class Room : std::uint8_t;

struct Card {
  CardKind kind;
  std::optional<Room> room;  // where it works; nothing for any room
  bool needs_target;
  std::string_view text;  // its name, a colon and its description
};

inline constexpr int kCardCount = 40;
// A card's place in the catalogue, 0 to 39; the pile and the hands hold these.
using CardId = std::int16_t;
inline constexpr CardId kNoCard = -1;

const Card& card(CardId id);

}  // namespace fortuna
