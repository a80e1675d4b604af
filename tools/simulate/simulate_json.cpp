// The figures for programs: one JSON document, and one CSV row a game.
#include <array>
#include <cinttypes>
#include <cstdio>

#include "tools/simulate/simulate_report.h"

namespace fortuna {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<const char*, kEndingCount> kEndingKeys = {"keys", "one_left", "nobody"};
constexpr std::array<const char*, kTemperCount> kTemperKeys = {"calm", "aggressive"};
constexpr std::array<const char*, kCardKindCount> kCardKeys = {
    "keys",          "heir_change", "card_swap",      "hiding_place",
    "strong_attack", "weak_attack", "strong_defence", "weak_defence"};

Json share_json(const Share& share) {
  return {{"count", share.count},
          {"total", share.total},
          {"share", share.value},
          {"low", share.low},
          {"high", share.high}};
}

Json days_json(const Figures& figures) {
  const DayFigures days = day_figures(figures);
  return {{"total", figures.days},     {"mean", days.mean},
          {"mean_low", days.mean_low}, {"mean_high", days.mean_high},
          {"median", days.median},     {"longest", days.longest},
          {"deaths", figures.deaths},  {"deaths_per_day", days.deaths_per_day}};
}

Json wins_json(const Figures& figures) {
  Json characters = Json::array(), places = Json::array(), tempers = Json::object();
  Random random;
  const Roster roster = initial_roster(random);
  for (std::size_t c = 0; c < roster.size(); ++c) {
    characters.push_back(
        {{"number", c + 1},
         {"name", roster[c].name},
         {"wins", share_json(share_of(figures.wins_by_character[c], figures.games))}});
    places.push_back({{"place", c + 1},
                      {"wins", share_json(share_of(figures.wins_by_place[c], figures.games))}});
  }
  for (std::size_t t = 0; t < kTemperKeys.size(); ++t)
    tempers[kTemperKeys[t]] = {
        {"characters", figures.characters_by_temper[t]},
        {"wins", share_json(share_of(figures.wins_by_temper[t], figures.characters_by_temper[t]))},
        {"share_of_games", share_json(share_of(figures.wins_by_temper[t], figures.games))}};
  return {{"games_with_a_winner", figures.games_with_a_winner()},
          {"characters", characters},
          {"places_at_start", places},
          {"tempers", tempers}};
}

}  // namespace

nlohmann::ordered_json figures_json(const SimulationHeading& heading, const Figures& figures) {
  Json endings = Json::object(), cards = Json::object();
  for (std::size_t e = 0; e < kEndingKeys.size(); ++e)
    endings[kEndingKeys[e]] = share_json(share_of(figures.endings[e], figures.games));
  for (std::size_t k = 0; k < kCardKeys.size(); ++k) {
    const CardCounts& counts = figures.cards[k];
    cards[kCardKeys[k]] = {
        {"played", counts.played},
        {"discarded", counts.discarded},
        {"changed_night", share_json(share_of(counts.changed_night, counts.played))}};
  }
  Json document = {{"seed", heading.seed},       {"games_asked", heading.games_asked},
                   {"games", figures.games},     {"partial", heading.partial},
                   {"days", days_json(figures)}, {"endings", endings}};
  document.update(wins_json(figures));
  document["cards"] = cards;
  return document;
}

std::string csv_header() {
  return "seed,days,ending,winner,deaths\n";
}

void append_csv_row(std::string& rows, const GameRecord& game) {
  char row[96];
  const int length =
      std::snprintf(row, sizeof row, "0x%016" PRIx64 ",%d,%s,", game.seed, game.days,
                    kEndingKeys[static_cast<std::size_t>(ending_index(game.ending))]);
  rows.append(row, static_cast<std::size_t>(length));
  if (game.winner) rows += std::to_string(*game.winner + 1);
  rows += ',';
  rows += std::to_string(game.deaths);
  rows += '\n';
}

}  // namespace fortuna
