// The names the game gives its rooms and cards.
#pragma once

#include <optional>
#include <string_view>

#include "data/cards.h"
#include "data/rooms.h"

namespace fortuna {

// "El salón", "La cocina", "La biblioteca", "El dormitorio"; "Indeterminado" for no room.
std::string_view room_name(std::optional<Room> room);

// Cards are named by their whole text, or in short mode by the text before its first colon.
enum class CardNames : bool { Long, Short };
// The empty slot's name is empty.
std::string_view card_name(CardId id, CardNames names);

}  // namespace fortuna
