#include "frontends/window/display_check.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace fortuna {

bool display_answers(bool driver_chosen) {
  const char* name = std::getenv("DISPLAY");
  if (driver_chosen || !name || !*name) return true;
  Display* display = XOpenDisplay(name);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace fortuna
