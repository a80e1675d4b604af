// Whole games through both screens with keys drawn at random: whatever the keys, every rule
// holds after each one, and everything said and shown is valid UTF-8.
#include <gtest/gtest.h>

#include "data/text.h"
#include "rules/invariants.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

constexpr int kGameKeys[] = {keys::kSpace, keys::kSpace,   keys::kSpace, keys::k1,  keys::k1,
                             keys::k1 + 1, keys::k1 + 2,   keys::k1 + 3, keys::k0,  keys::k9,
                             keys::kC,     keys::kP,       keys::kH,     keys::kF5, keys::kF6,
                             keys::kF2,    keys::kControl, keys::kF7,    keys::kF10};

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
      const Modifiers modifiers{false, keys_drawn.x() < 0.1, false};
      if (t.game().phase == Phase::Over && code == keys::k1) ++games;
      t.key(code, modifiers);
      ASSERT_EQ(check_invariants(t.game()), "") << "seed " << seed << ", key " << k;
    }
    for (const auto& entry : t.log.entries) ASSERT_TRUE(valid_utf8(entry.text)) << entry.text;
    for (const auto& label : t.platform.labels) ASSERT_TRUE(valid_utf8(label)) << label;
  }
}

}  // namespace
}  // namespace fortuna::testing
