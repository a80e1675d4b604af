#include "speech/fading_queue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace fortuna {
namespace {

TEST(FadingQueue, APurgeFadesWhatPlaysNextToSilenceWithoutAStepAndDropsTheRest) {
  // A full-scale square wave: the worst a cut can meet.
  const struct {
    std::size_t queued, fade, kept;
  } cases[] = {{1000, 66, 66}, {40, 66, 40}, {0, 66, 0}};
  for (const auto& c : cases) {
    FadingQueue queue(c.fade);
    std::vector<std::int16_t> wave(c.queued);
    for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = (i / 10) % 2 ? 30000 : -30000;
    queue.push(wave.data(), wave.size());
    queue.purge();
    ASSERT_EQ(queue.size(), c.kept) << c.queued;
    std::vector<std::int16_t> out(c.kept + 1);
    queue.pull(out.data(), out.size());
    if (c.kept == 0) continue;
    EXPECT_GT(std::abs(out.front()), 29000) << "the fade starts where the wave is";
    int largest_drop = 0;  // between neighbours of the same sign: the fade's own steps
    for (std::size_t i = 1; i < out.size(); ++i)
      if ((out[i] >= 0) == (out[i - 1] >= 0))
        largest_drop = std::max(largest_drop, std::abs(out[i - 1]) - std::abs(out[i]));
    EXPECT_LT(largest_drop, 30000 * 3.2 / static_cast<double>(c.kept)) << c.queued;
    EXPECT_LT(std::abs(out[c.kept - 1]), 30000 / 20) << "the last faded sample is near silence";
    EXPECT_EQ(out[c.kept], 0);
  }
}

TEST(FadingQueue, WhatComesAfterAPurgePlaysWholeAfterTheFadeAndSilenceFillsTheRest) {
  FadingQueue queue(4);
  const std::vector<std::int16_t> old(100, 20000), next = {7, 8, 9};
  queue.push(old.data(), old.size());
  queue.purge();
  queue.push(next.data(), next.size());
  std::vector<std::int16_t> out(9, 99);
  EXPECT_EQ(queue.pull(out.data(), 9), 7u);
  EXPECT_EQ(std::vector<std::int16_t>(out.begin() + 4, out.end()),
            (std::vector<std::int16_t>{7, 8, 9, 0, 0}));
  EXPECT_LT(out[3], out[0]);
}

}  // namespace
}  // namespace fortuna
