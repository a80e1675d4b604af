#include "narration/rooms.h"

#include <array>

namespace fortuna {

std::string_view room_name(std::optional<Room> room) {
  static constexpr std::array<std::string_view, kRoomCount> kNames = {
      "El salón", "La cocina", "La biblioteca", "El dormitorio"};
  return room ? kNames[static_cast<std::size_t>(index_of(*room))] : "Indeterminado";
}

std::string_view card_name(CardId id, CardNames names) {
  if (id == kNoCard) return {};
  const std::string_view text = card(id).text;
  if (names == CardNames::Long) return text;
  return text.substr(0, text.find(':'));
}

}  // namespace fortuna
