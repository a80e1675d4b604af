// What a simulation prints: the figures as a Spanish table for people, as one JSON document for
// programs, and one CSV row a game for spreadsheets.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "tools/simulate/simulate_figures.h"

namespace fortuna {

struct SimulationHeading {
  std::uint64_t games_asked = 0;
  std::uint64_t seed = 0;
  bool partial = false;
};

// How the run went: printed under the table, never in the JSON, which must not depend on it.
struct SimulationTiming {
  int threads = 1;
  double seconds = 0;
};

void print_table(std::ostream& out, const SimulationHeading& heading, const Figures& figures,
                 const SimulationTiming& timing);

nlohmann::ordered_json figures_json(const SimulationHeading& heading, const Figures& figures);

// The CSV: a header line, then per game its seed (as 0x and 16 hexadecimal digits, which a
// spreadsheet keeps as text), its days, its ending (keys, one_left, nobody), its winner (the
// character's number, 1 to 10, or nothing) and its deaths.
std::string csv_header();
void append_csv_row(std::string& rows, const GameRecord& game);

// Spanish numbers: 1.234.567 and 12,34.
std::string grouped(std::uint64_t number);
std::string decimal(double value, int digits);

}  // namespace fortuna
