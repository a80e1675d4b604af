// The terminal in key-at-a-time mode for the length of a run, and given back as it was found
// however the run ends: each key reaches the program at once and unechoed, Control+C still
// interrupts, output keeps its line endings, and the terminal is asked to report Control+digit.
#pragma once

#include <termios.h>

#include <optional>
#include <string>

namespace fortuna {

// Whether the terminal can carry the game; the one-line reason when it cannot.
struct TerminalCheck {
  bool usable = false;
  std::string reason;
};
// term is the TERM variable (empty when unset); columns 0 when unknown.
TerminalCheck check_terminal(bool input_is_terminal, const std::string& term, int columns);

// The terminal settings for reading keys, derived from the ones found; the rename box reads its
// line in them too.
termios key_mode(const termios& found);

class TerminalSession {
 public:
  TerminalSession() = default;
  ~TerminalSession() { restore(); }
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  // Puts standard input's terminal in key mode; false with a one-line reason when it cannot.
  bool open(const std::string& term, std::string& error);
  // Whether the terminal echoed as it was found: the rename box shows its line only then.
  bool echoes() const { return saved_ && (saved_->c_lflag & ECHO) != 0; }
  // Gives the terminal back; safe to call more than once.
  void restore();

 private:
  std::optional<termios> saved_;
  bool extended_keys_ = false;
};

}  // namespace fortuna
