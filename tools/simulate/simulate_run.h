// Plays a simulation's games over several threads. The games are shared out in blocks of
// consecutive numbers; each thread adds up its own figures and the sums are exact, so the
// figures are the same whatever the number of threads. Rows for the CSV come out in game order.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <ostream>

#include "tools/simulate/simulate_figures.h"

namespace fortuna {

struct SimulationRequest {
  std::uint64_t games = 0;
  std::uint64_t seed = 0;
  int threads = 1;
  std::ostream* csv = nullptr;  // one row a game when given, after a header line
};

struct SimulationOutcome {
  Figures figures;
  bool partial = false;  // stopped before every game was played
  double seconds = 0;
};

// Told, on the calling thread and a few times a second, how many games are done and how long
// the run has taken.
using ProgressReport = std::function<void(std::uint64_t games_done, double seconds)>;

// Plays the games until they are all done or stop turns true; each game is counted whole or not
// at all, and the CSV then holds exactly the games counted, still in game order.
SimulationOutcome run_simulation(const SimulationRequest& request, const std::atomic<bool>& stop,
                                 const ProgressReport& progress = {});

}  // namespace fortuna
