#include "model/random.h"

#include <gtest/gtest.h>

#include <set>

namespace fortuna {

TEST(Random, FollowsSplitMix64FromAGivenState) {
  // Reference outputs of SplitMix64 seeded with 0.
  Random r(0);
  const std::uint64_t expected[] = {0xE220A8397B1DCDAFULL, 0x6E789E6AA1B965F4ULL,
                                    0x06C45D188009454FULL};
  for (std::uint64_t z : expected)
    EXPECT_DOUBLE_EQ(r.x(), static_cast<double>(z >> 11) * 0x1.0p-53);
}

TEST(Random, StartsFromTheSameStateAtEveryStart) {
  Random a, b;
  EXPECT_EQ(a.state(), Random::kStartState);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.x(), b.x());
}

TEST(Random, SeedingSetsTheStateAndCountsDraws) {
  Random a, b;
  a.x();
  a.seed(1234);
  b.seed(1234);
  EXPECT_EQ(a.state(), 1234u);
  EXPECT_EQ(a.draw(37), b.draw(37));
  EXPECT_EQ(a.draws(), 2u);
}

TEST(Random, DrawCoversOneToNAndNothingElse) {
  Random r(42);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    int v = r.draw(9);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 9);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 9u);
}

}  // namespace fortuna
