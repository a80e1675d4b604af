#include "tools/simulate/simulate_figures.h"

#include <cassert>
#include <cmath>

namespace fortuna {

namespace {

constexpr double kZ95 = 1.959963984540054;

template <std::size_t Size>
void add_counts(std::array<std::uint64_t, Size>& sum, const std::array<std::uint64_t, Size>& more) {
  for (std::size_t i = 0; i < Size; ++i) sum[i] += more[i];
}

// The length of the game at this rank, 0 for the shortest.
int days_at_rank(const std::vector<std::uint64_t>& games_by_days, std::uint64_t rank) {
  std::uint64_t seen = 0;
  for (std::size_t days = 0; days < games_by_days.size(); ++days) {
    seen += games_by_days[days];
    if (seen > rank) return static_cast<int>(days);
  }
  return 0;
}

}  // namespace

int ending_index(Ending ending) {
  switch (ending) {
    case Ending::HeirEscaped:
      return 0;
    case Ending::OneLeft:
      return 1;
    case Ending::NobodyLeft:
      return 2;
    case Ending::None:
      break;
  }
  assert(false && "a finished game has an ending");
  return 2;
}

Ending ending_at(int index) {
  constexpr std::array<Ending, kEndingCount> kEndings = {Ending::HeirEscaped, Ending::OneLeft,
                                                         Ending::NobodyLeft};
  return kEndings[static_cast<std::size_t>(index)];
}

void Figures::add_game(const GameRecord& game) {
  ++games;
  days += static_cast<std::uint64_t>(game.days);
  deaths += static_cast<std::uint64_t>(game.deaths);
  const auto length = static_cast<std::size_t>(game.days);
  if (games_by_days.size() <= length) games_by_days.resize(length + 1);
  ++games_by_days[length];
  ++endings[static_cast<std::size_t>(ending_index(game.ending))];
  if (game.winner) {
    ++wins_by_character[static_cast<std::size_t>(*game.winner)];
    ++wins_by_place[static_cast<std::size_t>(game.winner_place)];
    ++wins_by_temper[static_cast<std::size_t>(game.winner_temper)];
  }
  const auto aggressive = static_cast<std::uint64_t>(game.aggressive_characters);
  characters_by_temper[static_cast<std::size_t>(Temper::Aggressive)] += aggressive;
  characters_by_temper[static_cast<std::size_t>(Temper::Calm)] += kCharacterCount - aggressive;
}

void Figures::add(const Figures& other) {
  games += other.games;
  days += other.days;
  deaths += other.deaths;
  if (games_by_days.size() < other.games_by_days.size())
    games_by_days.resize(other.games_by_days.size());
  for (std::size_t i = 0; i < other.games_by_days.size(); ++i)
    games_by_days[i] += other.games_by_days[i];
  add_counts(endings, other.endings);
  add_counts(wins_by_character, other.wins_by_character);
  add_counts(wins_by_place, other.wins_by_place);
  add_counts(wins_by_temper, other.wins_by_temper);
  add_counts(characters_by_temper, other.characters_by_temper);
  for (std::size_t k = 0; k < cards.size(); ++k) {
    cards[k].played += other.cards[k].played;
    cards[k].discarded += other.cards[k].discarded;
    cards[k].changed_night += other.cards[k].changed_night;
  }
}

std::uint64_t Figures::games_with_a_winner() const {
  std::uint64_t sum = 0;
  for (std::uint64_t wins : wins_by_character) sum += wins;
  return sum;
}

Share share_of(std::uint64_t count, std::uint64_t total) {
  Share share{count, total};
  if (total == 0) return share;
  const double n = static_cast<double>(total);
  const double p = static_cast<double>(count) / n;
  const double z2 = kZ95 * kZ95;
  const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
  const double half = kZ95 / (1 + z2 / n) * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
  share.value = p;
  // Rounding must not leave the share itself outside its interval.
  share.low = std::fmin(p, std::fmax(0.0, centre - half));
  share.high = std::fmax(p, std::fmin(1.0, centre + half));
  return share;
}

DayFigures day_figures(const Figures& figures) {
  DayFigures result;
  if (figures.games == 0) return result;
  const auto& histogram = figures.games_by_days;
  const double n = static_cast<double>(figures.games);
  result.mean = static_cast<double>(figures.days) / n;
  double squares = 0;
  for (std::size_t days = 0; days < histogram.size(); ++days) {
    const double away = static_cast<double>(days) - result.mean;
    squares += static_cast<double>(histogram[days]) * away * away;
  }
  const double deviation = figures.games > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
  result.mean_low = result.mean - kZ95 * deviation / std::sqrt(n);
  result.mean_high = result.mean + kZ95 * deviation / std::sqrt(n);
  const std::uint64_t middle = (figures.games - 1) / 2;
  result.median =
      (days_at_rank(histogram, middle) + days_at_rank(histogram, figures.games / 2)) / 2.0;
  for (std::size_t days = 0; days < histogram.size(); ++days)
    if (histogram[days] != 0) result.longest = static_cast<int>(days);
  result.deaths_per_day =
      figures.days == 0 ? 0.0
                        : static_cast<double>(figures.deaths) / static_cast<double>(figures.days);
  return result;
}

}  // namespace fortuna
