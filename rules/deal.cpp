#include "rules/deal.h"

namespace fortuna {

namespace {

// The keys and the two changes of heir, which go to the end of the first pile.
constexpr CardId kKeys = 0, kLastHeirChange = 2;

void deal_first_cards(Game& game) {
  game.pile = Pile{};
  for (CardId card = kLastHeirChange + 1; card < kCardCount; ++card)
    game.pile.set(card - kLastHeirChange - 1, card);
  game.pile.shuffle(game.random);
  for (int i = 0; i < kCharacterCount; ++i)
    game.at(static_cast<CharacterId>(i)).hand[0] = game.pile.take(i);
  for (CardId card = kKeys; card <= kLastHeirChange; ++card)
    game.pile.set(Pile::kShuffledPositions + card, card);
  game.pile.compact();
}

}  // namespace

void start_new_game(Game& game, TimeOfDay now) {
  start_new_game(game, clock_seed(now));
}

void start_new_game(Game& game, std::uint64_t seed) {
  game.rooms = Rooms{};
  // Everyone plays again: a game after an ending with one survivor or none could not run.
  for (Character& character : game.roster) character.alive = true;
  game.succession = shuffled_succession(game.random);
  game.random.seed(seed);
  deal_first_cards(game);
  start_day(game);
  game.ending = Ending::None;
  game.winner.reset();
  game.succession.heir_position = game.random.draw(kCharacterCount) - 1;
}

void start_day(Game& game) {
  game.phase = Phase::DayStart;
  for (Occupants& room : game.rooms.occupants) room.clear();
  for (int i = 0; i < kCharacterCount; ++i) {
    Character& character = game.at(static_cast<CharacterId>(i));
    character.room.reset();
    character.chosen_slot.reset();
    character.discard = false;
    character.target.reset();
    if (!character.alive) continue;
    CardId& slot = character.hand[0] != kNoCard ? character.hand[1] : character.hand[0];
    slot = game.pile.take(i);
  }
  game.pile.shuffle(game.random);
  game.pile.compact();
}

}  // namespace fortuna
