#include "frontends/win32/win32_keys.h"

namespace fortuna {

namespace {

// Virtual-key codes, as winuser.h numbers them.
constexpr unsigned kVkTab = 0x09, kVkReturn = 0x0D, kVkControl = 0x11, kVkEscape = 0x1B,
                   kVkSpace = 0x20, kVkPrior = 0x21, kVkDown = 0x28, kVk0 = 0x30, kVk9 = 0x39,
                   kVkA = 0x41, kVkZ = 0x5A, kVkF1 = 0x70, kVkF12 = 0x7B, kVkLeftControl = 0xA2,
                   kVkRightControl = 0xA3;

bool passes_through(unsigned code) {
  switch (code) {
    case kVkTab:
    case kVkReturn:  // the keypad's Enter too
    case kVkControl:
    case kVkEscape:
    case kVkSpace:
      return true;
    default:
      break;
  }
  // Page Up, Page Down, End, Home and the arrows; digits; letters; F1 to F12.
  return (code >= kVkPrior && code <= kVkDown) || (code >= kVk0 && code <= kVk9) ||
         (code >= kVkA && code <= kVkZ) || (code >= kVkF1 && code <= kVkF12);
}

}  // namespace

std::optional<Key> translate_win32_key(unsigned virtual_key, Modifiers held) {
  if (virtual_key == kVkLeftControl || virtual_key == kVkRightControl) virtual_key = kVkControl;
  if (!passes_through(virtual_key)) return std::nullopt;
  return Key{static_cast<int>(virtual_key), held};
}

}  // namespace fortuna
