// Whether the X display that DISPLAY names is there to connect to. A stale one (an SSH
// session's, a stopped server's) refuses at once: found before the first word, rather than once
// SDL is up and the greeting already said. Asking at the socket costs microseconds, where
// opening the display waits for a busy server.
#pragma once

#include <string>

namespace fortuna {

// False only when the display certainly cannot be reached: nothing listens where display
// (DISPLAY's value: "[host]:number[.screen]") says. A name it cannot read is left to SDL.
bool display_answers(const std::string& display);

}  // namespace fortuna
