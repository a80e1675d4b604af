#include "tools/simulate/simulate_tally.h"

#include "data/cards.h"

namespace fortuna {

namespace {

bool is_attack(std::optional<CardKind> kind) {
  return kind == CardKind::StrongAttack || kind == CardKind::WeakAttack;
}

}  // namespace

GameRecord GameTally::play(Game& game, std::uint64_t seed) {
  game.random = Random(seed);
  draw_tempers(game.roster, game.random);
  first_day_ = true;
  const GameSummary summary = play_computer_game(game, mix64(seed ^ kGameSeedSalt), this);
  return finish(game, summary, seed);
}

GameRecord GameTally::play(Game& game, TimeOfDay clock) {
  first_day_ = true;
  const GameSummary summary = play_computer_game(game, clock, this);
  return finish(game, summary, clock_seed(clock));
}

void GameTally::start(const Game& game) {
  first_day_ = false;
  const Succession& line = game.succession;
  for (int place = 0; place < kCharacterCount; ++place) {
    const auto position = static_cast<std::size_t>((line.heir_position + place) % kCharacterCount);
    place_at_start_[static_cast<std::size_t>(line.line[position])] = place;
  }
}

void GameTally::on_choices(const Game& game) {
  if (first_day_) start(game);
  for (std::size_t c = 0; c < plays_.size(); ++c) {
    const Character& character = game.roster[c];
    plays_[c] = {};
    if (!character.alive || character.chosen_card() == kNoCard) continue;
    const CardKind kind = card(character.chosen_card()).kind;
    if (character.discard) {
      ++counts(kind).discarded;
      continue;
    }
    ++counts(kind).played;
    plays_[c] = {kind, character.target};
  }
}

void GameTally::on_night(const Game& game, const NightReport& report) {
  std::array<bool, kCharacterCount> died{}, attacked{};
  for (const Death& death : report.deaths) died[static_cast<std::size_t>(death.character)] = true;
  for (const Play& play : plays_)
    if (is_attack(play.kind) && play.target)
      attacked[static_cast<std::size_t>(*play.target)] = true;
  for (std::size_t c = 0; c < plays_.size(); ++c) {
    const Play& play = plays_[c];
    if (!play.kind) continue;
    bool changed = false;
    switch (*play.kind) {
      case CardKind::Keys:
        changed =
            report.ending == Ending::HeirEscaped && game.winner == static_cast<CharacterId>(c);
        break;
      case CardKind::HeirChange:
        changed = report.heir_by_papers.has_value();
        break;
      case CardKind::CardSwap:
        changed = report.ending == Ending::None && play.target &&
                  *play.target != static_cast<CharacterId>(c);
        break;
      case CardKind::HidingPlace:
      case CardKind::StrongDefence:
      case CardKind::WeakDefence:
        changed = attacked[c] && !died[c];
        break;
      case CardKind::StrongAttack:
      case CardKind::WeakAttack:
        changed = play.target && died[static_cast<std::size_t>(*play.target)];
        break;
    }
    if (changed) ++counts(*play.kind).changed_night;
  }
}

GameRecord GameTally::finish(const Game& game, const GameSummary& summary, std::uint64_t seed) {
  GameRecord record;
  record.seed = seed;
  record.days = summary.days;
  record.deaths = summary.deaths;
  record.ending = summary.ending;
  record.winner = summary.winner;
  if (summary.winner) {
    record.winner_place = place_at_start_[static_cast<std::size_t>(*summary.winner)];
    record.winner_temper = game.at(*summary.winner).temper;
  }
  for (const Character& character : game.roster)
    record.aggressive_characters += character.temper == Temper::Aggressive ? 1 : 0;
  figures_.add_game(record);
  return record;
}

}  // namespace fortuna
