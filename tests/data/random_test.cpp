#include "data/random.h"

#include <gtest/gtest.h>

#include <set>

namespace fortuna {

TEST(Random, FollowsSplitMix64FromTheStartStateOrASeed) {
  // Reference outputs of SplitMix64 seeded with 0.
  Random r(0);
  for (std::uint64_t z : {0xE220A8397B1DCDAFULL, 0x6E789E6AA1B965F4ULL, 0x06C45D188009454FULL})
    EXPECT_DOUBLE_EQ(r.x(), static_cast<double>(z >> 11) * 0x1.0p-53);
  EXPECT_EQ(Random().state(), 0x2545F4914F6CDD1DULL);
  Random seeded;
  seeded.x();
  seeded.seed(1234);
  EXPECT_EQ(seeded.state(), 1234u);
  EXPECT_EQ(seeded.draws(), 1u);
}

TEST(Random, DrawCoversOneToNAndNothingElse) {
  Random r(42);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) seen.insert(r.draw(9));
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

}  // namespace fortuna
