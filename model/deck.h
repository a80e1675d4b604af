// The 40 cards of the game, the pile's shuffle and compaction, and the first deal.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/random.h"
#include "model/roster.h"
#include "model/types.h"

namespace fortuna {

// One card as the catalogue lists it; the card's number is its row, counted from 1.
struct CardEntry {
  std::int16_t tipo;
  std::int32_t sala;  // 1..4, -1 any room
  Bool16 con_objetivo;
  std::string_view descripcion;
};

inline constexpr int kCards = 40;
// The last pile position a shuffle reaches: the pile holds 37 cards when it is first shuffled.
inline constexpr int kShuffledPositions = 37;

using Pile = OffsetArray<std::int16_t, 1, kCards>;
using Succession = OffsetArray<std::int16_t, 1, kCharacters>;

// Cards 1..40 in the order they are added to the game.
const std::array<CardEntry, kCards>& card_catalogue();

// The name a card is spoken by: the whole text, or in short mode the text before its first
// colon (a text with no colon, as the empty card's, is given whole).
std::string card_name(std::string_view descripcion, bool corta);

// 100 exchanges of neighbours drawn from 1..9.
void shuffle_succession(Succession& sucesion, Random& random);

// 2000 exchanges of two positions drawn from 1..37; 38..40 never move.
void shuffle_pile(Pile& mazo, Random& random);

// Moves the cards to the front, keeping their order; the empty positions go to the end.
void compact_pile(Pile& mazo);

// The generator's seed for a game started at this time: 0 whenever one of the three is 0.
std::uint64_t clock_seed(int hour, int minute, int second);

// The first pile of a game, with the generator already seeded: cards 4..40 shuffled, one to
// every character (dead or alive) in Carta1, then the keys and the two heir changes after the
// rest. Afterwards the pile holds the 27 undealt cards, then 1, 2, 3, then 10 empty positions.
void deal_first_cards(Pile& mazo, Roster& personajes, Random& random);

}  // namespace fortuna
