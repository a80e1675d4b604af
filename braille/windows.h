// A text too long for the display, cut into the windows the player pans through.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace fortuna {

struct BrailleWindow {
  std::size_t start = 0, length = 0;  // in cells
  bool operator==(const BrailleWindow&) const = default;
};

// Windows of at most `width` cells, cut at blanks where a word ends, so that no word is split
// between two windows; a word longer than the width is cut inside, filling the window. No
// window starts or ends with a blank. Nothing for an empty or blank text, or a width of 0.
std::vector<BrailleWindow> cut_windows(std::u32string_view cells, std::size_t width);

}  // namespace fortuna
