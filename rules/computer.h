// How the computer's characters choose a room, a card and a target: small functions of the
// cards' kinds and rooms, the temper, the heir and the generator. Each draws only where its
// rule draws, so that a game replays draw by draw.
#pragma once

#include <optional>

#include "data/cards.h"
#include "data/random.h"
#include "data/rooms.h"
#include "data/roster.h"

namespace fortuna {

enum class Heir : bool { No, Yes };

// Draws until an open room comes up; the drawing room never closes, so this ends.
Room random_open_room(const Rooms& rooms, Random& random);

// The room for a hand in catalogue order (the first card's kind not after the second's).
Room computer_room(const Card& first, const Card& second, Temper temper, Heir heir,
                   const Rooms& rooms, Random& random);

// The hand slot (0 or 1) played, for a hand in catalogue order.
int computer_card(CardKind first, CardKind second, Temper temper, Heir heir, Random& random);

// A strong attack's target: anyone else in the attacker's room, each equally likely;
// nobody when the attacker is alone there.
std::optional<CharacterId> strong_attack_target(const Occupants& room, CharacterId self,
                                                Random& random);

// A card usable anywhere: any other living character; nobody when nobody else lives.
std::optional<CharacterId> anywhere_target(const Roster& roster, CharacterId self, Random& random);

}  // namespace fortuna
