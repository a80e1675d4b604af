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
  for (int k = 0; k < 2000; ++k) {
    const int a = random.draw(kShuffledPositions) - 1;
    const int b = random.draw(kShuffledPositions) - 1;
    std::swap(positions_[static_cast<std::size_t>(b)], positions_[static_cast<std::size_t>(a)]);
  }
}

void Pile::compact() {
  auto end = positions_.begin();
  for (CardId card : positions_)
    if (card != kNoCard) *end++ = card;
  std::fill(end, positions_.end(), kNoCard);
}

}  // namespace fortuna
