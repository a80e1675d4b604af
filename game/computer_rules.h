// How the computer's characters choose a room, a card and a target. Pure functions of the
// cards' kinds and rooms, the temper, the heir and the generator; each draws only where its
// rule draws, so a game replays draw by draw.
#pragma once

#include <cstdint>
#include <string>

#include "model/random.h"
#include "model/roster.h"
#include "model/types.h"

namespace fortuna {

using OpenRooms = OffsetArray<Bool16, -1, 4>;

// What the rules see of one card in hand.
struct CardView {
  int tipo = 0;
  int sala = -1;  // 1..4, -1 any room
};

// The pair code of a hand already in order: 10 x kind of card 1 + kind of card 2.
inline int CodigoPareja(int k1, int k2) {
  return 10 * k1 + k2;
}

// Draws until an open room comes up; El salón never closes, so this always ends.
int random_open_room(const OpenRooms& abierta, Random& random);

// The room a computer's character goes to, for a hand in order (card 1 not above card 2).
int computer_room(CardView card1, CardView card2, bool agresivo, bool heredero,
                  const OpenRooms& abierta, Random& random);

// The hand slot (1 or 2) a computer's character plays.
int computer_card(int k1, int k2, bool agresivo, bool heredero, Random& random);

// A strong attack's target: any other entry of the room string the attacker stands in,
// each entry equally likely; 0 when the attacker is alone there.
int strong_attack_target(const std::string& occupants, int self, Random& random);

// A card usable anywhere: any other living character; 0 when nobody else lives.
int anywhere_target(const Roster& personajes, int self, Random& random);

}  // namespace fortuna
