#include "program/window/beeper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace fortuna {
namespace {

TEST(Beeper, TheToneIsShortAudibleAndDoesNotClick) {
  const auto tone = beep_tone(kBeepSampleRate);
  EXPECT_GE(tone.size(), static_cast<std::size_t>(kBeepSampleRate / 20));
  EXPECT_LE(tone.size(), static_cast<std::size_t>(kBeepSampleRate / 4));
  int peak = 0;
  for (auto sample : tone) peak = std::max(peak, std::abs(int{sample}));
  EXPECT_GT(peak, 8000);
  EXPECT_LT(peak, 32767);
  // Soft edges: the first and last samples are close to silence.
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_LT(std::abs(tone[i]), 2000) << i;
    EXPECT_LT(std::abs(tone[tone.size() - 1 - i]), 2000) << i;
  }
}

}  // namespace
}  // namespace fortuna
