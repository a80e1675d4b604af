// Whether the X display that DISPLAY names is there and answers. A stale one (an SSH session's,
// a stopped server's) refuses at once, and a hung one never answers: either is found before the
// first word, rather than once SDL is up and the greeting already said, and a hung server would
// hold SDL, and the player's Control+C with it, for ever.
#pragma once

#include <string>

namespace fortuna {

enum class DisplayReply : unsigned char {
  Answers,  // or a name this check cannot read: SDL's to judge
  Refuses,  // nothing listens where the name says
  Silent,   // something listens but says nothing to a client's greeting
};

// display: DISPLAY's value, "[host]:number[.screen]".
DisplayReply check_display(const std::string& display);

}  // namespace fortuna
