// The pile the hands are dealt from: one position for every card, empty ones marked kNoCard.
#pragma once

#include <array>
#include <cassert>

#include "data/cards.h"
#include "data/random.h"

namespace fortuna {

class Pile {
 public:
  // How far a shuffle reaches: the pile holds 37 cards when it is first shuffled.
  static constexpr int kShuffledPositions = 37;

  Pile() { positions_.fill(kNoCard); }

  CardId at(int position) const { return positions_[index(position)]; }
  void set(int position, CardId card) { positions_[index(position)] = card; }
  // The card at a position, leaving the position empty.
  CardId take(int position) {
    const CardId card = at(position);
    set(position, kNoCard);
    return card;
  }
  // Into the first empty position; the pile always has room for a card that left it.
  void put_back(CardId card);
  // 2000 exchanges of two positions drawn from the first 37; the last three never move.
  void shuffle(Random& random);
  // Moves the cards to the front, keeping their order.
  void compact();
  // Empties every position whose card matches.
  template <typename Predicate>
  void remove_if(Predicate matches) {
    for (CardId& card : positions_)
      if (card != kNoCard && matches(card)) card = kNoCard;
  }
  const std::array<CardId, kCardCount>& positions() const { return positions_; }

 private:
  static std::size_t index(int position) {
    assert(position >= 0 && position < kCardCount);
    return static_cast<std::size_t>(position);
  }
  std::array<CardId, kCardCount> positions_;
};

}  // namespace fortuna
