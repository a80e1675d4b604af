#include "data/pile.h"

#include <algorithm>
#include <utility>

namespace fortuna {

void Pile::put_back(CardId card) {
  const auto empty = std::find(positions_.begin(), positions_.end(), kNoCard);
  assert(empty != positions_.end());
  *empty = card;
}

void Pile::shuffle(Random& random) {
  // The draws first, then the exchanges: the same draws in the same order, and the draws, which
  // cost the most, need not wait on the exchanges.
  constexpr int kExchanges = 2000;
  std::array<std::uint8_t, 2 * kExchanges> drawn;
  random.draw_below(kShuffledPositions, drawn.data(), 2 * kExchanges);
  for (std::size_t k = 0; k < drawn.size(); k += 2)
    std::swap(positions_[drawn[k + 1]], positions_[drawn[k]]);
}

void Pile::compact() {
  auto end = positions_.begin();
  for (CardId card : positions_)
    if (card != kNoCard) *end++ = card;
  std::fill(end, positions_.end(), kNoCard);
}

}  // namespace fortuna
