// The window's typefaces, found at run time: DejaVu Sans, which the package depends on, where
// fonts-dejavu-core puts it under the XDG data folders ($XDG_DATA_DIRS, by default
// /usr/local/share:/usr/share, then fonts/truetype/dejavu/); failing that, whatever fontconfig
// finds nearest to it. The first look costs microseconds, fontconfig 8 to 20 ms.
#pragma once

#include <string>

namespace fortuna {

struct FontFiles {
  std::string regular, bold;  // paths to font files; empty when the system has no font at all
};

FontFiles find_window_fonts();

}  // namespace fortuna
