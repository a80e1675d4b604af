#include "program/progress_bar.h"

#include <gtest/gtest.h>

namespace fortuna {
namespace {

TEST(ProgressBar, GamesRateAndTimeLeftWithinTheWidth) {
  const struct {
    std::uint64_t done, total;
    double seconds;
    int width;
    std::string bar, text;
  } cases[] = {
      {0, 1000, 0, 80, "[" + std::string(37, '.') + "]",
       " 0,0 % 0 de 1.000 partidas, 0 por segundo"},
      {250'000, 1'000'000, 10, 100, "[" + std::string(7, '#') + std::string(21, '.') + "]",
       " 25,0 % 250.000 de 1.000.000 partidas, 25.000 por segundo, quedan 30 s"},
      {1, 1'000'000'000, 1, 120, "[" + std::string(40, '.') + "]",
       " 0,0 % 1 de 1.000.000.000 partidas, 1 por segundo, quedan 277777 h 46 min"},
      // No room for ten cells: the text alone, cut to the width.
      {500, 1000, 100, 70, "", "50,0 % 500 de 1.000 partidas, 5 por segundo, quedan 1 min 40 s"},
      {5, 10, 1, 20, "", "50,0 % 5 de 10 parti"},
  };
  for (const auto& c : cases) {
    const std::string line = progress_line(c.done, c.total, c.seconds, c.width);
    EXPECT_EQ(line, c.bar + c.text);
    EXPECT_LE(line.size(), static_cast<std::size_t>(c.width));
  }
}

}  // namespace
}  // namespace fortuna
