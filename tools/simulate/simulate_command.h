// `fortuna simular` (`simulate`): many all-computer games by the rules alone, over every core,
// and their figures.
#pragma once

#include <cstdint>
#include <string>

namespace CLI {
class App;
}

namespace fortuna {

inline constexpr std::uint64_t kMostSimulatedGames = 1'000'000'000;

struct SimulateOptions {
  std::uint64_t games = 0;
  int threads = 0;  // 0: one a core
  std::uint64_t seed = 1;
  bool json = false;
  std::string csv_file;  // empty: no CSV
};

// Adds the subcommand, with its Spanish names and their English aliases, filling options.
CLI::App* add_simulate_command(CLI::App& app, SimulateOptions& options);

// Runs it: 0; 2 for a CSV file that cannot be written (with a one-line message); 130 when
// Ctrl+C stopped it, after printing the figures of the games finished, marked as partial.
int run_simulate(const SimulateOptions& options);

}  // namespace fortuna
