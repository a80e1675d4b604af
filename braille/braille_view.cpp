#include "braille/braille_view.h"

#include <utility>

namespace fortuna {

BrailleView::BrailleView(Translator translate) : translate_(std::move(translate)) {}

void BrailleView::show(std::string_view utf8) {
  std::u32string text = normalized_text(utf8);
  if (text.empty()) return;
  if (history_.empty() || history_.back().text != text) {
    Rendering rendering = translate_(text);
    std::vector<NumberedItem> items = find_items(text);
    history_.push_back({std::move(text), std::move(rendering), std::move(items)});
    if (history_.size() > kHistoryCapacity) history_.pop_front();
  }
  go_to(history_.size() - 1);
}

void BrailleView::set_width(std::size_t cells) {
  if (cells == width_) return;
  const std::size_t first_cell = windows_.empty() ? 0 : windows_[window_].start;
  width_ = cells;
  if (history_.empty()) return refresh();
  windows_ = cut_windows(history_[entry_].rendering.cells, width_);
  window_ = 0;
  while (window_ + 1 < windows_.size() && windows_[window_ + 1].start <= first_cell) ++window_;
  refresh();
}

std::optional<Key> BrailleView::handle(const BrailleCommand& command) {
  using Kind = BrailleCommand::Kind;
  switch (command.kind) {
    case Kind::PanForward:
      pan(1);
      break;
    case Kind::PanBack:
      pan(-1);
      break;
    case Kind::LineUp:
      walk(-1);
      break;
    case Kind::LineDown:
      walk(1);
      break;
    case Kind::Top:
      if (!history_.empty()) go_to(0);
      break;
    case Kind::Bottom:
      if (!history_.empty()) go_to(history_.size() - 1);
      break;
    case Kind::Route:
      if (command.argument < 0) break;
      if (auto digit = route(static_cast<std::size_t>(command.argument)))
        return Key{keys::k0 + *digit, {}};
      break;
    case Kind::Character:
      if (command.argument >= '0' && command.argument <= '9')
        return Key{keys::k0 + (command.argument - '0'), {}};
      break;
  }
  return std::nullopt;
}

bool BrailleView::at_edge(Axis axis, int step) {
  if (edge_ == Edge::None || edge_axis_ != axis) return false;
  // Toward the mark it stays; away from it, what was shown comes back.
  if ((edge_ == Edge::End) != (step > 0)) edge_ = Edge::None;
  return true;
}

void BrailleView::pan(int step) {
  if (windows_.empty()) return;
  if (!at_edge(Axis::Pan, step)) {
    edge_ = Edge::None;
    if (step > 0 && window_ + 1 < windows_.size()) {
      ++window_;
    } else if (step < 0 && window_ > 0) {
      --window_;
    } else {
      edge_ = step > 0 ? Edge::End : Edge::Start;
      edge_axis_ = Axis::Pan;
    }
  }
  refresh();
}

void BrailleView::walk(int step) {
  if (history_.empty()) return;
  if (at_edge(Axis::Line, step)) return refresh();
  if (step > 0 && entry_ + 1 < history_.size()) return go_to(entry_ + 1);
  if (step < 0 && entry_ > 0) return go_to(entry_ - 1);
  edge_ = step > 0 ? Edge::End : Edge::Start;
  edge_axis_ = Axis::Line;
  refresh();
}

void BrailleView::go_to(std::size_t entry) {
  entry_ = entry;
  window_ = 0;
  edge_ = Edge::None;
  windows_ = cut_windows(history_[entry_].rendering.cells, width_);
  refresh();
}

std::optional<int> BrailleView::route(std::size_t cell) const {
  if (edge_ != Edge::None || windows_.empty()) return std::nullopt;
  const BrailleWindow& window = windows_[window_];
  if (cell >= window.length) return std::nullopt;
  const Entry& entry = history_[entry_];
  return digit_at(entry.items, entry.rendering.source[window.start + cell]);
}

void BrailleView::refresh() {
  shown_.clear();
  if (windows_.empty() || width_ == 0) return;
  if (edge_ != Edge::None) {
    shown_ = kEndMark;
    return;
  }
  const BrailleWindow& window = windows_[window_];
  shown_ = history_[entry_].rendering.cells.substr(window.start, window.length);
}

}  // namespace fortuna
