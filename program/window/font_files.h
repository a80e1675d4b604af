// The window's typefaces, found at run time through fontconfig: DejaVu Sans, which the package
// depends on, or else the nearest sans-serif face the system has.
#pragma once

#include <string>

namespace fortuna {

struct FontFiles {
  std::string regular, bold;  // paths to font files; empty when the system has no font at all
};

FontFiles find_window_fonts();

}  // namespace fortuna
