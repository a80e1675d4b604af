// What the braille display shows: the latest text the player may hear, cut into windows at
// word boundaries, and the texts before it, walked with the display's line keys. Pure: it
// never touches a display.
//
// The ends: panning past the last window of a text or before its first, or walking past the
// newest or the oldest text, shows the end mark (one cell of all eight dots) alone. Pressing on
// keeps it; the opposite key of the same kind brings back what was shown; other keys move as
// usual. So a key at an end is always felt, never mistaken for a lost key.
//
// Routing: a routing key on an item's number, or on the words of the choice it introduces,
// gives the digit key; anywhere else it gives nothing.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "braille/display.h"
#include "braille/items.h"
#include "braille/rendering.h"
#include "braille/windows.h"
#include "data/keys.h"

namespace fortuna {

class BrailleView {
 public:
  static constexpr std::size_t kHistoryCapacity = 200;  // as the spoken history

  explicit BrailleView(Translator translate = uncontracted);

  // A new text: its first window is shown. A blank text changes nothing; the same text twice
  // running is kept once.
  void show(std::string_view utf8);
  // The display's cells, 0 while unknown; the window shown keeps its first cell in view.
  void set_width(std::size_t cells);

  // A command from the display: the digit key it stands for, if any; the view's own moves are
  // done here.
  std::optional<Key> handle(const BrailleCommand& command);

  // The cells shown now (at most the width), empty before any text or while the width is 0.
  const std::u32string& window() const { return shown_; }
  std::string window_utf8() const { return to_utf8(shown_); }

  std::size_t history_size() const { return history_.size(); }

 private:
  enum class Edge { None, Start, End };
  enum class Axis { Pan, Line };
  struct Entry {
    std::u32string text;  // normalized
    Rendering rendering;
    std::vector<NumberedItem> items;
  };
  void pan(int step);
  void walk(int step);
  // Whether a key of this kind and direction only dealt with the end mark.
  bool at_edge(Axis axis, int step);
  void go_to(std::size_t entry);
  std::optional<int> route(std::size_t cell) const;
  void refresh();

  Translator translate_;
  std::deque<Entry> history_;
  std::size_t width_ = 0;
  std::size_t entry_ = 0;   // in history_
  std::size_t window_ = 0;  // in windows_
  Edge edge_ = Edge::None;
  Axis edge_axis_ = Axis::Pan;          // the kind of key that reached the edge
  std::vector<BrailleWindow> windows_;  // the current entry's, at this width
  std::u32string shown_;
};

}  // namespace fortuna
