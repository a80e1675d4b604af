// Whole games through both screens with keys drawn at random, some with Shift or Control:
// whatever the keys, every rule holds after each one, the rate stays within the engines' range,
// and everything said and shown is valid UTF-8.
#include <gtest/gtest.h>

#include "data/text.h"
#include "rules/invariants.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

constexpr int kGameKeys[] = {keys::kSpace, keys::kSpace,   keys::kSpace,  keys::k1,    keys::k1,
                             keys::k1 + 1, keys::k1 + 2,   keys::k1 + 3,  keys::k0,    keys::k9,
                             keys::kC,     keys::kP,       keys::kH,      keys::kF5,   keys::kF6,
                             keys::kF2,    keys::kControl, keys::kF7,     keys::kF10,  keys::kF1,
                             keys::kF8,    keys::kF9,      keys::kPageUp, keys::kHome, keys::kLeft,
                             keys::kRight, keys::kEnter};

bool valid_utf8(const std::string& text) {
  return repair_utf8(text) == text;
}

TEST(RandomSessions, EveryRuleHoldsAfterEveryKey) {
  for (std::uint64_t seed = 1; seed <= 60; ++seed) {
    Random keys_drawn(seed);
    TestProgram t({static_cast<int>(seed % 24), 17, static_cast<int>(seed % 60)});
    // Some characters played by people, one renamed with bytes that are not UTF-8.
    for (int c = 0; c < kCharacterCount; ++c) {
      if (keys_drawn.x() < 0.4) t.key(keys::kSpace);
      t.key(keys::kRight);
    }
    t.platform.answers.push_back("Ana \xff\xfe");
    t.key(keys::kF2);
    t.key(keys::kEnter);
    ASSERT_TRUE(t.program.is_open(WindowId::Main));
    int games = 0;
    for (int k = 0; k < 3000 && games < 3; ++k) {
      const int code = kGameKeys[keys_drawn.draw(std::size(kGameKeys)) - 1];
      const auto modifiers = Modifiers::from_bits(keys_drawn.x() < 0.2 ? keys_drawn.draw(3) : 0);
      if (t.game().phase == Phase::Over && code == keys::k1) ++games;
      t.key(code, modifiers);
      ASSERT_EQ(check_invariants(t.game()), "") << "seed " << seed << ", key " << k;
      ASSERT_LE(std::abs(t.engine.rate()), 54);
    }
    for (const auto& entry : t.log.entries) ASSERT_TRUE(valid_utf8(entry.text)) << entry.text;
    for (const auto& label : t.platform.labels) ASSERT_TRUE(valid_utf8(label)) << label;
  }
}

}  // namespace
}  // namespace fortuna::testing
