// The window's own parts: its keys, fonts, rename box and beep. The label's size is seen drawn
// by the window test, not measured.
#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/keys.h"
#include "frontends/window/beeper.h"
#include "frontends/window/font_files.h"
#include "frontends/window/sdl_keys.h"
#include "frontends/window/text_field.h"
#include "support/run_fortuna.h"

namespace fortuna::testing {
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
      // The Control key's own key-down carries the Control modifier too, as the game expects.
      {SDLK_LCTRL, KMOD_LCTRL, key(17, 2)}};
  // clang-format on
  for (const auto& [sym, mod, code] : table)
    EXPECT_EQ(press(sym, mod), code) << SDL_GetKeyName(sym) << " " << mod;
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(press(SDLK_F1 + n - 1), key(111 + n)) << "F" << n;
  // Letters are upper-case codes whatever Shift.
  for (SDL_Keycode sym = SDLK_a; sym <= SDLK_z; ++sym) {
    const int code = 'A' + (sym - SDLK_a);
    EXPECT_EQ(press(sym), key(code));
    EXPECT_EQ(press(sym, KMOD_LSHIFT), key(code, 1));
    EXPECT_EQ(press(sym, KMOD_CAPS), key(code)) << "Caps Lock is no modifier";
  }
  // Digits come from the main row only, whatever it prints.
  for (int d = 0; d <= 9; ++d) {
    const SDL_Keycode sym = SDLK_0 + d;
    EXPECT_EQ(press(sym), key(48 + d));
    // On an AZERTY keyboard the unshifted row gives symbols: still the digits.
    EXPECT_EQ(translate_key(SDLK_AMPERSAND, scancode_of(sym), KMOD_NONE), key(48 + d));
    const auto keypad = press(d == 0 ? SDLK_KP_0 : SDLK_KP_1 + d - 1);
    EXPECT_FALSE(keypad && keypad->code >= 48 && keypad->code <= 57) << "keypad " << d;
  }
  // Keys the game never sees give nothing.
  for (SDL_Keycode sym : {SDLK_LSHIFT, SDLK_RSHIFT, SDLK_LALT, SDLK_RALT, SDLK_LGUI, SDLK_CAPSLOCK,
                          SDLK_BACKSPACE, SDLK_INSERT, SDLK_MINUS, SDLK_KP_PLUS, SDLK_F13})
    EXPECT_EQ(press(sym), std::nullopt) << SDL_GetKeyName(sym);
  // A letter beyond A to Z, such as the Spanish keyboard's own.
  EXPECT_EQ(translate_key(0xF1, SDL_SCANCODE_SEMICOLON, KMOD_NONE), std::nullopt);
}

// fonts-dejavu-core is a dependency of the game's package and of its build; the window test
// finds it through fontconfig.
TEST(FontFiles, DejaVuSansFromTheDataFoldersAndNothingWithoutFonts) {
  const auto folder = scratch_dir();
  std::ofstream(folder / "fonts.conf")
      << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" << (folder / "cache").string()
      << "</cachedir></fontconfig>\n";
  setenv("FONTCONFIG_FILE", (folder / "fonts.conf").c_str(), 1);
  for (const bool found : {true, false}) {
    setenv("XDG_DATA_DIRS", found ? "/nonexistent:/usr/share" : "/nonexistent", 1);
    const FontFiles files = find_window_fonts();
    EXPECT_EQ(std::filesystem::path(files.regular).filename(), found ? "DejaVuSans.ttf" : "");
    EXPECT_EQ(std::filesystem::path(files.bold).filename(), found ? "DejaVuSans-Bold.ttf" : "");
  }
  unsetenv("XDG_DATA_DIRS");
  unsetenv("FONTCONFIG_FILE");
}

TEST(TextField, TheFilledInNameIsReplacedByTypingClearedByBackspaceOrKeptByRight) {
  TextField typed("Bigotes, el gato andalú");
  EXPECT_EQ(typed.type("Ñ"), "Ñ");
  EXPECT_EQ(typed.type("andú"), "andú");
  EXPECT_EQ(typed.text(), "Ñandú");
  TextField cleared("Gaspar");
  EXPECT_EQ(cleared.backspace(), "Gaspar");
  EXPECT_EQ(cleared.text(), "");
  TextField kept("Kevin");
  kept.right();
  kept.type(" el rockero");
  EXPECT_EQ(kept.text(), "Kevin el rockero");
  // Edits take whole characters, in place, and say which went.
  TextField field("Olga");
  EXPECT_EQ(field.left(), "O") << "left on the selection goes to the start";
  EXPECT_EQ(field.right(), "l");
  field.type("ñ");
  EXPECT_EQ(field.before_caret(), "Oñ");
  EXPECT_EQ(field.erase_forward(), "l");
  EXPECT_EQ(field.backspace(), "ñ");
  EXPECT_EQ(field.home(), "O");
  EXPECT_EQ(field.left(), "O") << "the caret stops at the start";
  EXPECT_EQ(field.backspace(), "") << "nothing before it to delete";
  field.end();
  EXPECT_EQ(field.right(), "") << "and at the end";
  EXPECT_EQ(field.erase_forward(), "");
  // A letter with a combining accent, as some dead keys give it, goes as one.
  field.type("e\xCC\x81");
  EXPECT_EQ(field.backspace(), "e\xCC\x81");
  EXPECT_EQ(field.text(), "Oga");
}

TEST(Beeper, TheToneIsShortAudibleAndDoesNotClick) {
  const auto tone = beep_tone(kBeepSampleRate);
  EXPECT_GE(tone.size(), static_cast<std::size_t>(kBeepSampleRate / 20));
  EXPECT_LE(tone.size(), static_cast<std::size_t>(kBeepSampleRate / 4));
  int peak = 0;
  for (auto sample : tone) peak = std::max(peak, std::abs(int{sample}));
  EXPECT_GT(peak, 8000);
  EXPECT_LT(peak, 32767);
  // Soft edges: the first and last samples are close to silence.
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_LT(std::abs(tone[i]), 2000) << i;
    EXPECT_LT(std::abs(tone[tone.size() - 1 - i]), 2000) << i;
  }
}

}  // namespace
}  // namespace fortuna::testing
