#include "rules/computer.h"

namespace fortuna {

namespace {

// A card's room, if the card is bound to one and that room is still open.
std::optional<Room> room_if_open(const Card& card, const Rooms& rooms) {
  if (card.room && rooms.is_open(*card.room)) return card.room;
  return std::nullopt;
}

std::optional<Room> room_for_pair(const Card& first, const Card& second, Temper temper, Heir heir,
                                  const Rooms& rooms) {
  const bool aggressive = temper == Temper::Aggressive;
  switch (first.kind) {
    case CardKind::Keys:
      return heir == Heir::Yes ? Room::DrawingRoom : room_if_open(second, rooms);
    case CardKind::HeirChange:
    case CardKind::CardSwap:
      return room_if_open(second, rooms);
    case CardKind::HidingPlace:
      if (second.kind == CardKind::StrongAttack && aggressive) {
        if (auto attack = room_if_open(second, rooms)) return attack;
      }
      return room_if_open(first, rooms);
    case CardKind::StrongAttack:
      if (second.kind == CardKind::StrongDefence && !aggressive) return std::nullopt;
      return room_if_open(first, rooms);
    default:
      return std::nullopt;
  }
}

int heir_change_slot(CardKind second, Heir heir, Random& random) {
  if (heir == Heir::Yes) return 1;
  switch (second) {
    case CardKind::CardSwap:
      return random.draw(2) - 1;
    case CardKind::WeakAttack:
    case CardKind::WeakDefence:
      return 0;
    default:
      return 1;
  }
}

}  // namespace

Room random_open_room(const Rooms& rooms, Random& random) {
  for (;;) {
    const Room room = room_at(random.draw(kRoomCount) - 1);
    if (rooms.is_open(room)) return room;
  }
}

Room computer_room(const Card& first, const Card& second, Temper temper, Heir heir,
                   const Rooms& rooms, Random& random) {
  const std::optional<Room> room = first.kind == second.kind
                                       ? room_if_open(first, rooms)
                                       : room_for_pair(first, second, temper, heir, rooms);
  return room ? *room : random_open_room(rooms, random);
}

int computer_card(CardKind first, CardKind second, Temper temper, Heir heir, Random& random) {
  if (first == second) return 0;
  const bool aggressive = temper == Temper::Aggressive;
  switch (first) {
    case CardKind::Keys:
      return heir == Heir::Yes ? 0 : 1;
    case CardKind::HeirChange:
      return heir_change_slot(second, heir, random);
    case CardKind::CardSwap:
      if (second == CardKind::WeakAttack || second == CardKind::WeakDefence)
        return random.draw(2) - 1;
      return 1;
    case CardKind::HidingPlace:
      return second == CardKind::StrongAttack && aggressive ? 1 : 0;
    case CardKind::StrongAttack:
      return second == CardKind::StrongDefence && !aggressive ? 1 : 0;
    case CardKind::WeakAttack:
      return second == CardKind::StrongDefence || !aggressive ? 1 : 0;
    default:
      return 0;
  }
}

std::optional<CharacterId> strong_attack_target(const Occupants& room, CharacterId self,
                                                Random& random) {
  bool someone_else = false;
  for (int k = 0; k < room.size() && !someone_else; ++k) someone_else = room[k] != self;
  if (!someone_else) return std::nullopt;
  for (;;) {
    const CharacterId target = room[static_cast<int>(random.x() * room.size())];
    if (target != self) return target;
  }
}

std::optional<CharacterId> anywhere_target(const Roster& roster, CharacterId self, Random& random) {
  bool someone_else = false;
  for (std::size_t j = 0; j < roster.size(); ++j)
    if (static_cast<CharacterId>(j) != self && roster[j].alive) someone_else = true;
  if (!someone_else) return std::nullopt;
  for (;;) {
    const auto target = static_cast<CharacterId>(random.draw(kCharacterCount) - 1);
    if (target != self && roster[static_cast<std::size_t>(target)].alive) return target;
  }
}

}  // namespace fortuna
