#include "braille/windows.h"

#include "braille/rendering.h"

namespace fortuna {

std::vector<BrailleWindow> cut_windows(std::u32string_view cells, std::size_t width) {
  std::vector<BrailleWindow> windows;
  if (width == 0) return windows;
  const std::size_t n = cells.size();
  std::size_t start = 0;
  while (true) {
    while (start < n && is_blank(cells[start])) ++start;
    if (start == n) break;
    std::size_t end = n;
    if (n - start > width) {
      // The last blank that still lets the window hold whole words; a blank just past the
      // width counts, as the window then ends with a word exactly.
      end = start + width;
      while (end > start && !is_blank(cells[end])) --end;
      if (end == start) end = start + width;
    }
    std::size_t last = end;
    while (last > start && is_blank(cells[last - 1])) --last;
    windows.push_back({start, last - start});
    start = end;
  }
  return windows;
}

}  // namespace fortuna
