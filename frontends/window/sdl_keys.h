// SDL key-down data as the game's windows receive it: a key code and the modifier state.
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <optional>

#include "data/keys.h"

namespace fortuna {

// The game's key for an SDL key-down, or nothing for a key the game never sees (Shift or Alt
// alone, the keypad's digits, punctuation...). Letters come as upper-case codes whatever Shift;
// digits only from the main keyboard's row, whatever the layout prints on it.
std::optional<Key> translate_key(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod);

Modifiers translate_modifiers(Uint16 mod);

}  // namespace fortuna
