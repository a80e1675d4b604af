// A braille display as the game sees it: a row of cells to write on and a source of commands.
// Its calls never wait on the display.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace fortuna {

// What the player asks of the display with its own keys, whatever the display's make.
struct BrailleCommand {
  enum class Kind {
    PanForward,  // the rest of a long text
    PanBack,
    LineUp,  // the text before, in the history
    LineDown,
    Top,        // the oldest text kept
    Bottom,     // the newest text
    Route,      // a routing key; argument: its cell, 0 the leftmost
    Character,  // a character typed on the display's keyboard; argument: its code point
  };
  Kind kind = Kind::PanForward;
  int argument = 0;
  bool operator==(const BrailleCommand&) const = default;
};

class BrailleDisplay {
 public:
  virtual ~BrailleDisplay() = default;

  // The cells in a row; 0 while unknown (not connected yet, or the display went away).
  virtual std::size_t cells() const = 0;
  // UTF-8 text of at most cells() characters; the rest of the row is cleared.
  virtual void write(std::string_view utf8) = 0;
  // The next command from the display, or nothing when none is waiting.
  virtual std::optional<BrailleCommand> next_command() = 0;
  // A file descriptor that is readable while a command (or a change of cells()) waits, for the
  // front end's event loop to wait on beside its own.
  virtual int wait_handle() const = 0;
};

}  // namespace fortuna
