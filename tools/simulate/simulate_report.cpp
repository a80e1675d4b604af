#include "tools/simulate/simulate_report.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "data/text.h"

namespace fortuna {

namespace {

constexpr std::array<const char*, kEndingCount> kEndingNames = {"Las llaves (el heredero escapa)",
                                                                "Un superviviente", "Nadie vivo"};
constexpr std::array<const char*, kTemperCount> kTemperNames = {"Tranquilo", "Agresivo"};
constexpr std::array<const char*, kCardKindCount> kCardNames = {
    "Las llaves",    "Cambio de heredero", "Cambio de carta", "Escondite",
    "Ataque fuerte", "Ataque débil",       "Defensa fuerte",  "Defensa débil"};

constexpr const char* kNotes =
    "Ganador: quien escapa con las llaves o el único superviviente.\n"
    "Puesto: el lugar en la línea de sucesión al empezar; el 1.º es el primer heredero, el 2.º "
    "el siguiente a quien pasaría la herencia.\n"
    "Temperamento: la cuota es de victorias entre los personajes de ese temperamento, sorteado "
    "en cada partida.\n"
    "Cambia la noche: las llaves, si su jugador escapa con ellas; el cambio de heredero, si los "
    "papeles mueven al heredero; el cambio de carta, si las cartas cambian de manos; el "
    "escondite y las defensas, si su jugador es atacado y vive; los ataques, si su objetivo "
    "muere esa noche. El ordenador nunca descarta.\n"
    "Intervalos del 95 %: de Wilson para las cuotas, normal para la media de días.\n";

// Columns separated by two blanks: the first one aligned left, the others right.
class TextTable {
 public:
  void add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }
  void print(std::ostream& out) const {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_)
      for (std::size_t c = 0; c < row.size(); ++c) {
        if (widths.size() <= c) widths.push_back(0);
        widths[c] = std::max(widths[c], char_length(row[c]));
      }
    for (const auto& row : rows_) {
      std::string line;
      for (std::size_t c = 0; c < row.size(); ++c) {
        const std::string pad(widths[c] - char_length(row[c]), ' ');
        line += c == 0 ? row[c] + pad : "  " + pad + row[c];
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out << line << '\n';
    }
    out << '\n';
  }

 private:
  std::vector<std::vector<std::string>> rows_;
};

std::string percent(double share) {
  return decimal(100 * share, 2) + " %";
}

std::string interval(const Share& share) {
  return decimal(100 * share.low, 2) + " a " + decimal(100 * share.high, 2) + " %";
}

// A row: its label, then the count, the share and the interval.
std::vector<std::string> share_row(std::string label, const Share& share) {
  return {std::move(label), grouped(share.count), percent(share.value), interval(share)};
}

std::string character_name(int character) {
  static const Roster roster = [] {
    Random random;
    return initial_roster(random);
  }();
  return roster[static_cast<std::size_t>(character)].name;
}

void print_days(std::ostream& out, const Figures& figures) {
  const DayFigures days = day_figures(figures);
  out << "Días por partida: media " << decimal(days.mean, 2) << " (" << decimal(days.mean_low, 2)
      << " a " << decimal(days.mean_high, 2) << "), mediana "
      << decimal(days.median, days.median == std::floor(days.median) ? 0 : 1) << ", la más larga "
      << days.longest << "\n"
      << "Muertes: " << grouped(figures.deaths) << ", " << decimal(days.deaths_per_day, 3)
      << " por día\n\n";
}

void print_wins(std::ostream& out, const Figures& figures) {
  TextTable endings;
  endings.add({"Final", "Partidas", "Cuota", "Intervalo 95 %"});
  for (int e = 0; e < kEndingCount; ++e)
    endings.add(share_row(kEndingNames[static_cast<std::size_t>(e)],
                          share_of(figures.endings[static_cast<std::size_t>(e)], figures.games)));
  endings.print(out);

  TextTable characters, places;
  characters.add({"Victorias por personaje", "Victorias", "Cuota", "Intervalo 95 %"});
  places.add({"Victorias por puesto al empezar", "Victorias", "Cuota", "Intervalo 95 %"});
  for (int c = 0; c < kCharacterCount; ++c) {
    const auto i = static_cast<std::size_t>(c);
    characters.add(share_row(std::to_string(c + 1) + ". " + character_name(c),
                             share_of(figures.wins_by_character[i], figures.games)));
    places.add(share_row(std::to_string(c + 1) + ".º en la línea de sucesión",
                         share_of(figures.wins_by_place[i], figures.games)));
  }
  characters.print(out);
  places.print(out);

  TextTable tempers;
  tempers.add({"Victorias por temperamento", "Personajes", "Victorias", "Cuota", "Intervalo 95 %"});
  for (int t = 0; t < kTemperCount; ++t) {
    const auto i = static_cast<std::size_t>(t);
    const Share share = share_of(figures.wins_by_temper[i], figures.characters_by_temper[i]);
    tempers.add({kTemperNames[i], grouped(share.total), grouped(share.count), percent(share.value),
                 interval(share)});
  }
  tempers.print(out);
}

void print_cards(std::ostream& out, const Figures& figures) {
  TextTable cards;
  cards.add({"Cartas", "Jugadas", "Descartadas", "Cambian la noche", "Cuota", "Intervalo 95 %"});
  for (int k = 0; k < kCardKindCount; ++k) {
    const CardCounts& counts = figures.cards[static_cast<std::size_t>(k)];
    const Share share = share_of(counts.changed_night, counts.played);
    cards.add({kCardNames[static_cast<std::size_t>(k)], grouped(counts.played),
               grouped(counts.discarded), grouped(counts.changed_night), percent(share.value),
               interval(share)});
  }
  cards.print(out);
}

}  // namespace

std::string grouped(std::uint64_t number) {
  std::string digits = std::to_string(number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ".");
  return digits;
}

std::string decimal(double value, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", digits, value);
  std::string result = text;
  if (const auto point = result.find('.'); point != std::string::npos) result[point] = ',';
  if (result.find_first_not_of("-0,") == std::string::npos && result[0] == '-') result.erase(0, 1);
  return result;
}

void print_table(std::ostream& out, const SimulationHeading& heading, const Figures& figures,
                 const SimulationTiming& timing) {
  out << "Simulación de " << grouped(heading.games_asked) << " partidas, semilla " << heading.seed
      << "\n";
  if (heading.partial)
    out << "PARCIAL: interrumpida tras " << grouped(figures.games) << " partidas de "
        << grouped(heading.games_asked) << "\n";
  out << "\n";
  print_days(out, figures);
  print_wins(out, figures);
  print_cards(out, figures);
  out << kNotes << "\n";
  const double per_thread =
      timing.seconds > 0 ? static_cast<double>(figures.games) / timing.seconds / timing.threads : 0;
  out << "Tiempo: " << decimal(timing.seconds, 1) << " s con " << timing.threads
      << (timing.threads == 1 ? " hilo, " : " hilos, ")
      << grouped(static_cast<std::uint64_t>(per_thread)) << " partidas por segundo y hilo\n";
}

}  // namespace fortuna
