#include "game/computer_rules.h"

#include "model/game_state.h"

namespace fortuna {

namespace {

constexpr int kUndecided = 0;

// A card's room if the card is bound to one and that room is still open.
int room_if_open(CardView card, const OpenRooms& abierta) {
  if (card.sala < 1 || card.sala > kRooms) return kUndecided;
  return abierta[card.sala] != 0 ? card.sala : kUndecided;
}

int room_by_pair(CardView card1, CardView card2, bool agresivo, bool heredero,
                 const OpenRooms& abierta) {
  const int code = CodigoPareja(card1.tipo, card2.tipo);
  if (code >= 12 && code <= 18) return heredero ? 1 : room_if_open(card2, abierta);
  if (code >= 23 && code <= 28) return room_if_open(card2, abierta);
  if (code >= 34 && code <= 38) return room_if_open(card2, abierta);
  if (code == 45) {
    const int attack = room_if_open(card2, abierta);
    return attack != kUndecided && agresivo ? attack : room_if_open(card1, abierta);
  }
  if (code >= 46 && code <= 48) return room_if_open(card1, abierta);
  if (code == 56 || code == 58) return room_if_open(card1, abierta);
  if (code == 57) return agresivo ? room_if_open(card1, abierta) : kUndecided;
  return kUndecided;
}

int heir_change_card(int code, bool heredero, Random& random) {
  if (heredero) return 2;
  switch (code) {
    case 23:
      return random.draw(2);
    case 26:
    case 28:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

int random_open_room(const OpenRooms& abierta, Random& random) {
  for (;;) {
    const int room = random.draw(kRooms);
    if (abierta[room] != 0) return room;
  }
}

int computer_room(CardView card1, CardView card2, bool agresivo, bool heredero,
                  const OpenRooms& abierta, Random& random) {
  int room = kUndecided;
  if (card1.tipo == card2.tipo) {
    room = room_if_open(card1, abierta);
  } else {
    room = room_by_pair(card1, card2, agresivo, heredero, abierta);
  }
  return room != kUndecided ? room : random_open_room(abierta, random);
}

int computer_card(int k1, int k2, bool agresivo, bool heredero, Random& random) {
  if (k1 == k2) return 1;
  const int code = CodigoPareja(k1, k2);
  if (code >= 12 && code <= 18) return heredero ? 1 : 2;
  if (code >= 23 && code <= 28) return heir_change_card(code, heredero, random);
  if (code == 34 || code == 35 || code == 37) return 2;
  if (code == 36 || code == 38) return random.draw(2);
  if (code == 45) return agresivo ? 2 : 1;
  if (code >= 46 && code <= 48) return 1;
  if (code == 57 || code == 68) return agresivo ? 1 : 2;
  if (code == 56 || code == 58) return 1;
  if (code == 67) return 2;
  return 1;
}

int strong_attack_target(const std::string& occupants, int self, Random& random) {
  const int m = occupant_count(occupants);
  bool someone_else = false;
  for (int k = 1; k <= m && !someone_else; ++k) someone_else = occupant_at(occupants, k) != self;
  if (!someone_else) return 0;
  for (;;) {
    const int k = static_cast<int>(random.x() * m);
    const int target = occupant_at(occupants, k + 1);
    if (target != self) return target;
  }
}

int anywhere_target(const Roster& personajes, int self, Random& random) {
  bool someone_else = false;
  for (int j = 1; j <= kCharacters; ++j)
    if (j != self && personajes[static_cast<std::size_t>(j)].Vivo != 0) someone_else = true;
  if (!someone_else) return 0;
  for (;;) {
    const int target = random.draw(kCharacters);
    if (target != self && personajes[static_cast<std::size_t>(target)].Vivo != 0) return target;
  }
}

}  // namespace fortuna
