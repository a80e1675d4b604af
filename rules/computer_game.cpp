#include "rules/computer_game.h"

#include "rules/day.h"
#include "rules/deal.h"

namespace fortuna {

namespace {

GameSummary play_to_the_end(Game& game, DayObserver* observer) {
  GameSummary summary;
  while (game.phase != Phase::Over) {
    walk_rooms(game, Walk::FromFirst);
    walk_cards(game, Walk::FromFirst);
    ++summary.days;
    if (observer) observer->on_choices(game);
    const NightReport report = resolve_night(game);
    if (observer) observer->on_night(game, report);
    if (report.ending == Ending::None) start_day(game);
  }
  for (const Character& character : game.roster) summary.deaths += character.alive ? 0 : 1;
  summary.ending = game.ending;
  summary.winner = game.winner;
  return summary;
}

void hand_everyone_to_the_computer(Game& game) {
  for (Character& character : game.roster) character.player = Player::Computer;
}

}  // namespace

GameSummary play_computer_game(Game& game, TimeOfDay clock, DayObserver* observer) {
  hand_everyone_to_the_computer(game);
  start_new_game(game, clock);
  return play_to_the_end(game, observer);
}

GameSummary play_computer_game(Game& game, std::uint64_t seed, DayObserver* observer) {
  hand_everyone_to_the_computer(game);
  start_new_game(game, seed);
  return play_to_the_end(game, observer);
}

}  // namespace fortuna
