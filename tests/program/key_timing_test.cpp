#include "program/key_timing.h"

#include <gtest/gtest.h>

#include "support/recording_engine.h"

namespace fortuna::testing {
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
  timed.key_started(std::nullopt);
  timed.speak("sin tecla");
  ASSERT_EQ(timed.samples_us().size(), 1u);
  EXPECT_DOUBLE_EQ(timed.samples_us()[0], 250.0);
  EXPECT_EQ(inner.spoken,
            (std::vector<std::string>{"antes de las teclas", "primera", "segunda", "sin tecla"}));
}

}  // namespace
}  // namespace fortuna::testing
