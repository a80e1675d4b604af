#include "app/sdl_keys.h"

#include "game/platform.h"

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
    default:
      return std::nullopt;
  }
}

}  // namespace

std::int16_t translate_modifiers(Uint16 mod) {
  int shift = 0;
  if (mod & KMOD_SHIFT) shift |= keys::kShift;
  if (mod & KMOD_CTRL) shift |= keys::kCtrl;
  if (mod & KMOD_ALT) shift |= keys::kAlt;
  return static_cast<std::int16_t>(shift);
}

std::optional<Key> translate_key(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod) {
  auto code = key_code(sym, scancode);
  if (!code) return std::nullopt;
  return Key{static_cast<std::int16_t>(*code), translate_modifiers(mod)};
}

}  // namespace fortuna
