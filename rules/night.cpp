#include "rules/night.h"

#include <array>
#include <utility>

namespace fortuna {

namespace {

struct Play {
  bool made = false;             // the player was alive when the night began
  std::optional<CardKind> kind;  // nothing for a card thrown away
  std::optional<CharacterId> target;
};
using Plays = std::array<Play, kCharacterCount>;

Plays plays_of(const Roster& roster) {
  Plays plays{};
  for (std::size_t c = 0; c < roster.size(); ++c) {
    const Character& player = roster[c];
    if (!player.alive) continue;
    plays[c] = {true, std::nullopt, player.target};
    if (!player.discard && player.chosen_card() != kNoCard)
      plays[c].kind = card(player.chosen_card()).kind;
  }
  return plays;
}

// Each character's balance: below zero it dies. Exact in single precision in any order.
std::array<float, kCharacterCount> balances(const Plays& plays) {
  std::array<float, kCharacterCount> balance{};
  for (std::size_t c = 0; c < plays.size(); ++c) {
    const Play& play = plays[c];
    float nowhere = 0.0f;
    float& target = play.target ? balance[static_cast<std::size_t>(*play.target)] : nowhere;
    if (play.kind == CardKind::HidingPlace) balance[c] += 50.0f;
    if (play.kind == CardKind::StrongAttack) target -= 2.0f;
    if (play.kind == CardKind::WeakAttack) target -= 1.5f;
    if (play.kind == CardKind::StrongDefence) balance[c] += 2.0f;
    if (play.kind == CardKind::WeakDefence) balance[c] += 1.5f;
  }
  return balance;
}

// Moves the heir on until a living character holds the place; false if none does in time.
bool pass_inheritance(Game& game, int steps) {
  for (int step = 0; step < steps; ++step) {
    game.succession.step();
    if (game.at(game.heir()).alive) return true;
  }
  return false;
}

Death death_of(CharacterId victim, const Game& game, const Plays& plays) {
  Death death{victim, game.at(victim).room, {}};
  for (int k = 0; k < kCharacterCount; ++k)
    if (plays[static_cast<std::size_t>(k)].made &&
        plays[static_cast<std::size_t>(k)].target == victim)
      death.attackers.push_back(static_cast<CharacterId>(k));
  return death;
}

// The played card, thrown away or not, goes back to the pile; the kept one is left in slot 0.
void return_played_cards(Game& game) {
  for (Character& character : game.roster) {
    if (character.chosen_slot == 0) std::swap(character.hand[0], character.hand[1]);
    if (character.hand[1] == kNoCard) continue;
    game.pile.put_back(std::exchange(character.hand[1], kNoCard));
  }
}

// Rooms close from the last down as the household shrinks; never the drawing room. Their cards
// leave the pile; those in hands stay.
void close_rooms(Game& game, NightReport& report) {
  constexpr std::array<std::pair<Room, int>, 3> kClosings = {
      {{Room::Bedroom, 7}, {Room::Library, 5}, {Room::Kitchen, 4}}};
  for (const auto& [room, survivors_below] : kClosings) {
    if (!game.rooms.is_open(room) || report.survivors >= survivors_below) continue;
    game.rooms.open_count = index_of(room);
    report.closed_rooms.push_back(room);
  }
  game.pile.remove_if(
      [&](CardId id) { return card(id).room && !game.rooms.is_open(*card(id).room); });
  game.pile.compact();
}

NightReport& end_game(Game& game, NightReport& report, Ending ending) {
  report.ending = game.ending = ending;
  game.phase = Phase::Over;
  return report;
}

}  // namespace

NightReport resolve_night(Game& game) {
  NightReport report;
  const Plays plays = plays_of(game.roster);
  const int heir_before = game.succession.heir_position;
  for (const Play& play : plays)
    if (play.kind == CardKind::HeirChange) pass_inheritance(game, kCharacterCount);
  if (game.succession.heir_position != heir_before) report.heir_by_papers = game.heir();

  const auto balance = balances(plays);
  for (int c = 0; c < kCharacterCount; ++c) {
    const auto victim = static_cast<CharacterId>(c);
    if (balance[static_cast<std::size_t>(c)] >= 0.0f || !game.at(victim).alive) continue;
    game.at(victim).alive = false;
    report.deaths.push_back(death_of(victim, game, plays));
    // The heir may pass to someone who dies later in this same night.
    if (game.heir() == victim && !pass_inheritance(game, kCharacterCount + 1))
      return end_game(game, report, Ending::NobodyLeft);
  }
  // The keys win only for the heir as the deaths leave it, and only alive.
  const CharacterId heir = game.heir();
  if (plays[static_cast<std::size_t>(heir)].kind == CardKind::Keys && game.at(heir).alive) {
    game.winner = heir;
    return end_game(game, report, Ending::HeirEscaped);
  }

  return_played_cards(game);
  for (int c = 0; c < kCharacterCount; ++c) {
    const Play& play = plays[static_cast<std::size_t>(c)];
    if (play.kind == CardKind::CardSwap && play.target && *play.target != c)
      std::swap(game.roster[static_cast<std::size_t>(c)].hand[0], game.at(*play.target).hand[0]);
  }
  for (const Character& character : game.roster) report.survivors += character.alive ? 1 : 0;
  close_rooms(game, report);
  if (report.survivors > 1) return report;
  for (int c = 0; c < kCharacterCount && !game.winner; ++c)
    if (game.at(static_cast<CharacterId>(c)).alive) game.winner = static_cast<CharacterId>(c);
  return end_game(game, report, Ending::OneLeft);
}

}  // namespace fortuna
