// A braille display as the game sees it: a row of cells to write on and a source of commands.
// Its calls never wait on the display.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "braille/command.h"

namespace fortuna {

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
