// The rooms of the mansion and who went to each of them today.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "data/fixed_list.h"
#include "data/roster.h"

namespace fortuna {

// In the order the game numbers them; they close from the last one down, never the first.
enum class Room : std::uint8_t { DrawingRoom, Kitchen, Library, Bedroom };
inline constexpr int kRoomCount = 4;

inline constexpr int index_of(Room room) {
  return static_cast<int>(room);
}
inline constexpr Room room_at(int index) {
  assert(index >= 0 && index < kRoomCount);
  return static_cast<Room>(index);
}

// The characters in a room, in order of arrival.
using Occupants = FixedList<CharacterId, kCharacterCount>;

struct Rooms {
  std::array<Occupants, kRoomCount> occupants{};
  // The open rooms are always the first open_count ones.
  int open_count = kRoomCount;

  bool is_open(Room room) const { return index_of(room) < open_count; }
  Occupants& in(Room room) { return occupants[static_cast<std::size_t>(index_of(room))]; }
  const Occupants& in(Room room) const {
    return occupants[static_cast<std::size_t>(index_of(room))];
  }
};

}  // namespace fortuna
