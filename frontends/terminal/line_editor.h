// The rename box on a terminal: one line, the name already in it, edited with GNU readline's
// usual keys (arrows, Home, End, Backspace, Control+U, Control+W, ...), UTF-8 throughout.
// Enter accepts, Escape alone cancels.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "frontends/terminal/terminal_input.h"

namespace fortuna {

struct LineEdit {
  enum class Outcome { Accepted, Cancelled, End, Interrupt } outcome = Outcome::Cancelled;
  std::string text;  // Accepted: the line as typed
  int signal = 0;    // Interrupt: the signal that came
};

// What to say for one change of the line, for a voice with no screen reader behind it: the
// text typed or deleted, or after a move the character now after the cursor (nothing at the
// end). Points are byte offsets between UTF-8 characters.
std::string edit_echo(std::string_view before, std::size_t before_point, std::string_view after,
                      std::size_t after_point);

// Reads the line from input after typed_ahead (bytes already read and not yet used), and
// leaves in typed_ahead whatever came after the line. The terminal stays in key mode throughout;
// shown says whether the line is drawn as it is edited. echo, when given, hears each change.
LineEdit edit_line(TerminalInput& input, const std::string& prompt, const std::string& initial,
                   std::string& typed_ahead, bool shown,
                   const std::function<void(const std::string&)>& echo = {});

}  // namespace fortuna
