// Win32 key-down data (WM_KEYDOWN, WM_SYSKEYDOWN) as the game's windows receive it. Compiles
// anywhere: the virtual-key codes are Windows' numbers.
#pragma once

#include <optional>

#include "data/keys.h"

namespace fortuna {

// The game's key for a virtual-key code with the modifiers held, or nothing for a key the game
// never sees (Shift or Alt alone, the keypad's digits, punctuation...). Digits are the main
// row's, letters their upper-case codes: Windows' own codes, which the game's are.
std::optional<Key> translate_win32_key(unsigned virtual_key, Modifiers held);

}  // namespace fortuna
