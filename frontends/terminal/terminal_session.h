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

// The terminal settings for reading keys, derived from the ones found.
termios key_mode(const termios& found);
// The settings while a line is edited: the ones found, which a line editor adapts (it echoes
// only where the terminal echoes), less the keys that would stop or dump the program.
termios line_mode(const termios& found);

class TerminalSession {
 public:
  TerminalSession() = default;
  ~TerminalSession() { restore(); }
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  // Puts standard input's terminal in key mode; false with a one-line reason when it cannot.
  bool open(const std::string& term, std::string& error);
  // Switches between reading keys and editing a line.
  void edit_lines(bool editing);
  // Gives the terminal back; safe to call more than once.
  void restore();

 private:
  std::optional<termios> saved_;
  bool extended_keys_ = false;
};

}  // namespace fortuna
