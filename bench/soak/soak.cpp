// One process plays many all-computer games, each after the end of the one before ("1"), and
// checks that its memory stops growing after the first thousand: the peak resident size then
// and at the end must be the same but for a little.
// Usage: fortuna_soak [games, 100000 by default]
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "screens/program.h"
#include "speech/none_engine.h"
#include "tools/bench/bench_command.h"

namespace {

// Peak resident set size in kilobytes.
long peak_kb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace fortuna;
  const long games = argc > 1 ? std::atol(argv[1]) : 100000;
  constexpr long kWarm = 1000, kAllowedGrowthKb = 256;
  std::uint64_t hash = kSignatureStart;
  NoneEngine engine;
  HashingPlatform platform(hash);
  FixedClock clock({10, 20, 30});
  Program program(engine, platform, clock);
  program.start();
  program.key_down({keys::kEnter, {}});
  long peak_warm = 0;
  for (long game = 1; game <= games; ++game) {
    clock.set(bench_clock(static_cast<int>(game % bench_game_count())));
    while (program.game_screen().game().phase != Phase::Over) program.key_down({keys::kSpace, {}});
    program.key_down({keys::k1, {}});
    if (game == kWarm) peak_warm = peak_kb();
  }
  const long peak_end = peak_kb();
  std::printf("games %ld\npeak after %ld games %ld kB\npeak after %ld games %ld kB\n", games, kWarm,
              peak_warm, games, peak_end);
  if (games > kWarm && peak_end - peak_warm > kAllowedGrowthKb) {
    std::printf("memory grew by %ld kB after the first %ld games\n", peak_end - peak_warm, kWarm);
    return 1;
  }
  return 0;
}
