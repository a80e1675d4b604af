#include "app/key_timing.h"

#include <gtest/gtest.h>

#include "speech/recording_engine.h"

namespace fortuna {
namespace {

TEST(KeyTiming, OnlyTheFirstTextAfterAKeyIsTimed) {
  RecordingEngine inner;
  std::uint64_t now = 0;
  TimedEngine timed(
      inner, [&] { return now; }, 1'000'000);
  timed.speak("antes de las teclas");
  timed.key_started(1000);
  now = 1250;
  timed.speak("primera");
  now = 9000;
  timed.speak("segunda");
  timed.key_started(10000);  // a key that says nothing
  timed.key_started(0);
  timed.speak("sin tecla");
  ASSERT_EQ(timed.samples_us().size(), 1u);
  EXPECT_DOUBLE_EQ(timed.samples_us()[0], 250.0);
  EXPECT_EQ(inner.spoken(),
            (std::vector<std::string>{"antes de las teclas", "primera", "segunda", "sin tecla"}));
}

TEST(KeyTiming, MedianAndNinetyNinthPercentile) {
  EXPECT_EQ(summarise({}).count, 0u);
  LatencySummary odd = summarise({5, 1, 3});
  EXPECT_DOUBLE_EQ(odd.median_us, 3);
  EXPECT_DOUBLE_EQ(odd.p99_us, 5);
  LatencySummary even = summarise({4, 1, 3, 2});
  EXPECT_DOUBLE_EQ(even.median_us, 2.5);
  std::vector<double> hundred;
  for (int i = 100; i >= 1; --i) hundred.push_back(i);
  hundred.push_back(1000);  // one slow key in 101
  LatencySummary many = summarise(hundred);
  EXPECT_EQ(many.count, 101u);
  EXPECT_DOUBLE_EQ(many.median_us, 51);
  EXPECT_DOUBLE_EQ(many.p99_us, 100) << "nearest rank: the 100th of 101";
}

}  // namespace
}  // namespace fortuna
