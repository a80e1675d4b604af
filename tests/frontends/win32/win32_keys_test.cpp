#include "frontends/win32/win32_keys.h"

#include <gtest/gtest.h>

#include <set>

namespace fortuna {

TEST(Win32Keys, EveryVirtualKeyIsTheGamesCodeOrNothing) {
  std::set<unsigned> delivered = {9, 13, 17, 27, 32};
  for (unsigned code = 33; code <= 40; ++code) delivered.insert(code);    // paging and arrows
  for (unsigned code = 48; code <= 57; ++code) delivered.insert(code);    // the digit row
  for (unsigned code = 65; code <= 90; ++code) delivered.insert(code);    // letters
  for (unsigned code = 112; code <= 123; ++code) delivered.insert(code);  // F1 to F12
  const Modifiers none;
  for (unsigned code = 0; code <= 255; ++code) {
    const auto key = translate_win32_key(code, none);
    if (code == 162 || code == 163) {  // left and right Control are Control
      EXPECT_EQ(key, (Key{17, none})) << code;
    } else if (delivered.count(code)) {
      EXPECT_EQ(key, (Key{static_cast<int>(code), none})) << code;
    } else {
      // Shift and Alt alone, Backspace, the keypad's digits, punctuation, F13 and beyond.
      EXPECT_FALSE(key) << code;
    }
  }
}

TEST(Win32Keys, ModifiersHeldComeWithTheKey) {
  // The Control key's own key-down holds Control; Control+digit discards, Alt+F4 leaves.
  EXPECT_EQ(translate_win32_key(17, {false, true, false}), (Key{17, {false, true, false}}));
  EXPECT_EQ(translate_win32_key(49, {false, true, false}), (Key{49, {false, true, false}}));
  const auto alt_f4 = translate_win32_key(115, {false, false, true});
  ASSERT_TRUE(alt_f4);
  EXPECT_TRUE(alt_f4->closes_window());
  EXPECT_EQ(translate_win32_key(121, {true, true, true})->modifiers.bits(), 7);  // F10
}

}  // namespace fortuna
