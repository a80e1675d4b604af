// Keys as the windows receive them: the platform's virtual-key code and the modifiers held.
#pragma once

#include <cstdint>

namespace fortuna {

namespace keys {
inline constexpr int kTab = 9, kEnter = 13, kControl = 17, kEscape = 27, kSpace = 32;
inline constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
inline constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
inline constexpr int k0 = 48, k1 = 49, k9 = 57;                    // the main keyboard's digits
inline constexpr int kA = 65, kC = 67, kH = 72, kP = 80, kZ = 90;  // letters come upper-case
inline constexpr int kF1 = 112, kF2 = 113, kF4 = 115, kF5 = 116, kF6 = 117, kF7 = 118, kF8 = 119,
                     kF9 = 120, kF10 = 121, kF12 = 123;
}  // namespace keys

struct Modifiers {
  bool shift = false, control = false, alt = false;

  bool any() const { return shift || control || alt; }
  // The platform's modifier state: 1 Shift, 2 Control, 4 Alt.
  int bits() const { return (shift ? 1 : 0) | (control ? 2 : 0) | (alt ? 4 : 0); }
  static Modifiers from_bits(int bits) {
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
  }
  bool operator==(const Modifiers&) const = default;
};

struct Key {
  int code = 0;
  Modifiers modifiers;

  bool is_digit() const { return code >= keys::k0 && code <= keys::k9; }
  int digit() const { return code - keys::k0; }
  bool closes_window() const { return code == keys::kF4 && modifiers.alt; }
  bool operator==(const Key&) const = default;
};

}  // namespace fortuna
