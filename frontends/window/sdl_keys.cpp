#include "frontends/window/sdl_keys.h"

#include "data/keys.h"

namespace fortuna {

namespace {

std::optional<int> key_code(SDL_Keycode sym, SDL_Scancode scancode) {
  // The digit row by position: layouts such as AZERTY print symbols on it unshifted.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return keys::k1 + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return keys::k0;
  if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return keys::kF1 + (sym - SDLK_F1);
  switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return keys::kEnter;
    case SDLK_ESCAPE:
      return keys::kEscape;
    case SDLK_SPACE:
      return keys::kSpace;
    case SDLK_TAB:
      return keys::kTab;
    case SDLK_LEFT:
      return keys::kLeft;
    case SDLK_UP:
      return keys::kUp;
    case SDLK_RIGHT:
      return keys::kRight;
    case SDLK_DOWN:
      return keys::kDown;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return keys::kControl;
    case SDLK_PAGEUP:
      return keys::kPageUp;
    case SDLK_PAGEDOWN:
      return keys::kPageDown;
    case SDLK_HOME:
      return keys::kHome;
    case SDLK_END:
      return keys::kEnd;
    default:
      return std::nullopt;
  }
}

}  // namespace

Modifiers translate_modifiers(Uint16 mod) {
  return {(mod & KMOD_SHIFT) != 0, (mod & KMOD_CTRL) != 0, (mod & KMOD_ALT) != 0};
}

std::optional<Key> translate_key(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod) {
  auto code = key_code(sym, scancode);
  if (!code) return std::nullopt;
  return Key{*code, translate_modifiers(mod)};
}

}  // namespace fortuna
