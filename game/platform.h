// What the two windows need from the world; a front end provides it.
#pragma once

#include <string>

namespace fortuna {

enum class WindowId { Start, Main };

class Platform {
 public:
  virtual ~Platform() = default;
  // Make the window visible; its load has been run (or is about to be) by the game.
  virtual void show_window(WindowId window) = 0;
  virtual void close_window(WindowId window) = 0;
  // Modal text input: the accepted text, or the empty string when cancelled.
  virtual std::string input_box(const std::string& prompt, const std::string& title,
                                const std::string& default_text) = 0;
  virtual void beep() = 0;
  // The main window's status label; lines separated by CR LF.
  virtual void set_label(const std::string& caption) = 0;
};

// Key codes and modifier bits the windows receive.
namespace keys {
inline constexpr int kEnter = 13, kControl = 17, kEscape = 27, kSpace = 32, kTab = 9;
inline constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
inline constexpr int k0 = 48, k1 = 49, k9 = 57;
inline constexpr int kC = 67, kH = 72, kP = 80;
inline constexpr int kF1 = 112, kF2 = 113, kF4 = 115, kF5 = 116, kF6 = 117, kF7 = 118, kF8 = 119,
                     kF9 = 120, kF10 = 121, kF12 = 123;
inline constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
}  // namespace keys

}  // namespace fortuna
