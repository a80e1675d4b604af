#include "program/window/sdl_keys.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "data/keys.h"

namespace fortuna {
namespace {

// The scancode a US keyboard gives with the key; only digits and the keypad need one here.
SDL_Scancode scancode_of(SDL_Keycode sym) {
  if (sym == SDLK_0) return SDL_SCANCODE_0;
  if (sym >= SDLK_1 && sym <= SDLK_9)
    return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + sym - SDLK_1);
  if (sym == SDLK_KP_0) return SDL_SCANCODE_KP_0;
  if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9)
    return static_cast<SDL_Scancode>(SDL_SCANCODE_KP_1 + sym - SDLK_KP_1);
  return SDL_SCANCODE_UNKNOWN;
}

std::optional<Key> press(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
  return translate_key(sym, scancode_of(sym), mod);
}

Key key(int code, int modifiers = 0) {
  return Key{code, Modifiers::from_bits(modifiers)};
}

TEST(SdlKeys, EveryKeyTheGameTestsArrivesWithItsCodeAndItsModifiersLeftOrRight) {
  // clang-format off
  const struct { SDL_Keycode sym; Uint16 mod; Key key; } table[] = {
      // The window test presses the arrows, Enter, Escape, Space and the left modifiers.
      {SDLK_KP_ENTER, 0, key(13)}, {SDLK_RCTRL, 0, key(17)}, {SDLK_TAB, 0, key(9)},
      {SDLK_PAGEUP, 0, key(33)}, {SDLK_PAGEDOWN, 0, key(34)}, {SDLK_HOME, 0, key(36)},
      {SDLK_END, 0, key(35)}, {SDLK_1, KMOD_RCTRL, key(49, 2)}, {SDLK_F7, KMOD_RSHIFT, key(118, 1)},
      {SDLK_F4, KMOD_RALT, key(115, 4)},
      {SDLK_F8, KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT, key(119, 7)},
      // Lock keys and the GUI key are not modifiers the game knows.
      {SDLK_F7, KMOD_NUM | KMOD_CAPS | KMOD_LGUI, key(118)},
      // The Control key's own key-down carries its own modifier, as the original platform did.
      {SDLK_LCTRL, KMOD_LCTRL, key(17, 2)}};
  // clang-format on
  for (const auto& [sym, mod, code] : table)
    EXPECT_EQ(press(sym, mod), code) << SDL_GetKeyName(sym) << " " << mod;
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(press(SDLK_F1 + n - 1), key(111 + n)) << "F" << n;
}

TEST(SdlKeys, LettersAreUpperCaseCodesWhateverShift) {
  for (SDL_Keycode sym = SDLK_a; sym <= SDLK_z; ++sym) {
    const int code = 'A' + (sym - SDLK_a);
    EXPECT_EQ(press(sym), key(code));
    EXPECT_EQ(press(sym, KMOD_LSHIFT), key(code, 1));
    EXPECT_EQ(press(sym, KMOD_CAPS), key(code)) << "Caps Lock is no modifier";
  }
}

TEST(SdlKeys, DigitsComeFromTheMainRowOnlyWhateverItPrints) {
  for (int d = 0; d <= 9; ++d) {
    const SDL_Keycode sym = SDLK_0 + d;
    EXPECT_EQ(press(sym), key(48 + d));
    // On an AZERTY keyboard the unshifted row gives symbols: still the digits.
    EXPECT_EQ(translate_key(SDLK_AMPERSAND, scancode_of(sym), KMOD_NONE), key(48 + d));
    const auto keypad = press(d == 0 ? SDLK_KP_0 : SDLK_KP_1 + d - 1);
    EXPECT_FALSE(keypad && keypad->code >= 48 && keypad->code <= 57) << "keypad " << d;
  }
}

TEST(SdlKeys, KeysTheGameNeverSeesGiveNothing) {
  for (SDL_Keycode sym : {SDLK_LSHIFT, SDLK_RSHIFT, SDLK_LALT, SDLK_RALT, SDLK_LGUI, SDLK_CAPSLOCK,
                          SDLK_BACKSPACE, SDLK_INSERT, SDLK_MINUS, SDLK_KP_PLUS, SDLK_F13})
    EXPECT_EQ(press(sym), std::nullopt) << SDL_GetKeyName(sym);
  // A letter beyond A to Z, such as the Spanish keyboard's own.
  EXPECT_EQ(translate_key(0xF1, SDL_SCANCODE_SEMICOLON, KMOD_NONE), std::nullopt);
}

}  // namespace
}  // namespace fortuna
