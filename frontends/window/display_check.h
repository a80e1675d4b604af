// Whether the X display that DISPLAY names answers. A stale one (an SSH session's, a stopped
// server's) is found here in a millisecond, before the first word, rather than once SDL is up.
#pragma once

namespace fortuna {

// True also when there is no X display to ask (Wayland alone) or SDL is told which driver to use.
bool display_answers(bool driver_chosen);

}  // namespace fortuna
