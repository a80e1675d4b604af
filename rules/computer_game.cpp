#include "rules/computer_game.h"

#include "rules/day.h"
#include "rules/deal.h"
#include "rules/night.h"

namespace fortuna {

GameSummary play_computer_game(Game& game, TimeOfDay clock) {
  for (Character& character : game.roster) character.player = Player::Computer;
  start_new_game(game, clock);
  GameSummary summary;
  while (game.phase != Phase::Over) {
    walk_rooms(game, Walk::FromFirst);
    walk_cards(game, Walk::FromFirst);
    ++summary.days;
    if (resolve_night(game).ending == Ending::None) start_day(game);
  }
  for (const Character& character : game.roster) summary.deaths += character.alive ? 0 : 1;
  summary.ending = game.ending;
  summary.winner = game.winner;
  return summary;
}

}  // namespace fortuna
