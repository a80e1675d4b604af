#include "app/sdl_keys.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "game/platform.h"

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

Key key(int code, int shift = 0) {
  return Key{static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift)};
}

TEST(SdlKeys, EveryKeyTheGameTestsArrivesWithItsCode) {
  const std::pair<SDL_Keycode, int> table[] = {
      {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_LCTRL, 17}, {SDLK_RCTRL, 17}, {SDLK_ESCAPE, 27},
      {SDLK_SPACE, 32},  {SDLK_TAB, 9},       {SDLK_LEFT, 37},  {SDLK_UP, 38},    {SDLK_RIGHT, 39},
      {SDLK_DOWN, 40},   {SDLK_c, 67},        {SDLK_h, 72},     {SDLK_p, 80},
  };
  for (const auto& [sym, code] : table) EXPECT_EQ(press(sym), key(code)) << SDL_GetKeyName(sym);
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(press(SDLK_F1 + n - 1), key(111 + n)) << "F" << n;
  EXPECT_EQ(press(SDLK_F2), key(keys::kF2));
  EXPECT_EQ(press(SDLK_F10), key(keys::kF10));
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
  const SDL_Scancode row[] = {SDL_SCANCODE_0, SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3,
                              SDL_SCANCODE_4, SDL_SCANCODE_5, SDL_SCANCODE_6, SDL_SCANCODE_7,
                              SDL_SCANCODE_8, SDL_SCANCODE_9};
  for (int d = 0; d <= 9; ++d) {
    EXPECT_EQ(translate_key(SDLK_0 + d, row[d], KMOD_NONE), key(48 + d));
    // On an AZERTY keyboard the unshifted row gives symbols: still the digits.
    EXPECT_EQ(translate_key(SDLK_AMPERSAND, row[d], KMOD_NONE), key(48 + d));
  }
  const SDL_Keycode keypad[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
  for (SDL_Keycode sym : keypad) {
    auto got = press(sym);
    EXPECT_FALSE(got && got->code >= 48 && got->code <= 57) << SDL_GetKeyName(sym);
  }
}

TEST(SdlKeys, ModifierBitsComeFromTheEventsModifiersLeftOrRight) {
  EXPECT_EQ(press(SDLK_1, KMOD_LCTRL), key(49, 2));
  EXPECT_EQ(press(SDLK_1, KMOD_RCTRL), key(49, 2));
  EXPECT_EQ(press(SDLK_F7, KMOD_RSHIFT), key(118, 1));
  EXPECT_EQ(press(SDLK_F4, KMOD_LALT), key(115, 4));
  EXPECT_EQ(press(SDLK_F4, KMOD_RALT), key(115, 4));
  EXPECT_EQ(press(SDLK_F8, KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT), key(119, 7));
  // Lock keys and the GUI key are not modifiers the game knows.
  EXPECT_EQ(press(SDLK_F7, KMOD_NUM | KMOD_CAPS | KMOD_LGUI), key(118));
  // The Control key's own key-down carries its own modifier, as the original platform did.
  EXPECT_EQ(press(SDLK_LCTRL, KMOD_LCTRL), key(17, 2));
}

TEST(SdlKeys, KeysTheGameNeverSeesGiveNothing) {
  for (SDL_Keycode sym : {SDLK_LSHIFT, SDLK_RSHIFT, SDLK_LALT, SDLK_RALT, SDLK_LGUI, SDLK_CAPSLOCK,
                          SDLK_BACKSPACE, SDLK_PAGEUP, SDLK_MINUS, SDLK_KP_PLUS, SDLK_F13})
    EXPECT_EQ(press(sym), std::nullopt) << SDL_GetKeyName(sym);
  // A letter beyond A to Z, such as the Spanish keyboard's own.
  EXPECT_EQ(translate_key(0xF1, SDL_SCANCODE_SEMICOLON, KMOD_NONE), std::nullopt);
}

}  // namespace
}  // namespace fortuna
