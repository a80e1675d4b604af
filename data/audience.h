// Who may hear a text: every person at the table (onlookers too), one seat (a character a person
// plays), or whoever pressed the key the text answers. One keyboard joins them all into one voice;
// a table sends each listener what is theirs.
#pragma once

#include <cstdint>
#include <optional>

#include "data/roster.h"

namespace fortuna {

enum class Audience : std::uint8_t { Table, Seat, Asker };
// How a person sits at a table: a player may hold a character; an onlooker only listens.
enum class Role : std::uint8_t { Player, Onlooker };

// A listener of a seated game: a seat's character, or everyone else at the table (onlookers and
// the keyboard), as a bit of a set of listeners.
using ListenerSet = std::uint16_t;
inline constexpr int kTableListener = kCharacterCount;
inline constexpr ListenerSet listener_bit(std::optional<CharacterId> seat) {
  return static_cast<ListenerSet>(1u << (seat ? *seat : kTableListener));
}

struct Address {
  Audience audience = Audience::Table;
  // Seat: whose; Asker: who asked, nothing for the keyboard.
  std::optional<CharacterId> seat;
  // A table text worded apart for some listeners (their own preference shapes it): which ones
  // hear this wording; 0 for everyone.
  ListenerSet only = 0;

  static Address table() { return {}; }
  static Address to_seat(CharacterId seat) { return {Audience::Seat, seat}; }
  static Address asker(std::optional<CharacterId> seat) { return {Audience::Asker, seat}; }
};

}  // namespace fortuna
