// What the two windows need from the world; each front end provides it.
#pragma once

#include <string>

namespace fortuna {

enum class WindowId { Start, Main };

class Platform {
 public:
  virtual ~Platform() = default;
  // Makes the window visible.
  virtual void show_window(WindowId window) = 0;
  virtual void close_window(WindowId window) = 0;
  // Modal text input: the accepted text, or the empty string when cancelled.
  virtual std::string input_box(const std::string& prompt, const std::string& title,
                                const std::string& default_text) = 0;
  virtual void beep() = 0;
  // The main window's status label, for onlookers; lines separated by CR LF.
  virtual void set_label(const std::string& caption) = 0;
};

// The windows' lifecycle, which the program owns: a screen opens the next one and closes its own.
class Windows {
 public:
  virtual ~Windows() = default;
  // Shows the window, loading it first the first time.
  virtual void show(WindowId window) = 0;
  // Closing the last open window ends the program.
  virtual void close(WindowId window) = 0;
};

}  // namespace fortuna
