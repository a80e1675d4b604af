#include "frontends/window/text_field.h"

#include "data/text.h"

namespace fortuna {

TextField::TextField(std::string initial) : text_(std::move(initial)), caret_(text_.size()) {}

std::size_t TextField::next_boundary(std::size_t at) const {
  if (at >= text_.size()) return text_.size();
  return at + first_chars(std::string_view(text_).substr(at), 1).size();
}

std::size_t TextField::previous_boundary(std::size_t at) const {
  std::size_t boundary = 0;
  for (std::size_t next = next_boundary(0); next < at; next = next_boundary(next)) boundary = next;
  return at == 0 ? 0 : boundary;
}

std::string TextField::char_at_caret() const {
  return text_.substr(caret_, next_boundary(caret_) - caret_);
}

std::string TextField::take_selection() {
  std::string gone = std::move(text_);
  text_.clear();
  caret_ = 0;
  selected_ = false;
  return gone;
}

std::string TextField::type(std::string_view utf8) {
  if (selected_) take_selection();
  text_.insert(caret_, utf8);
  caret_ += utf8.size();
  return std::string(utf8);
}

std::string TextField::backspace() {
  if (all_selected()) return take_selection();
  selected_ = false;
  if (caret_ == 0) return {};
  const std::size_t start = previous_boundary(caret_);
  std::string gone = text_.substr(start, caret_ - start);
  text_.erase(start, caret_ - start);
  caret_ = start;
  return gone;
}

std::string TextField::erase_forward() {
  if (all_selected()) return take_selection();
  selected_ = false;
  std::string gone = char_at_caret();
  text_.erase(caret_, gone.size());
  return gone;
}

std::string TextField::left() {
  if (all_selected()) {
    selected_ = false;
    caret_ = 0;
  } else {
    selected_ = false;
    caret_ = previous_boundary(caret_);
  }
  return char_at_caret();
}

std::string TextField::right() {
  if (all_selected()) {
    selected_ = false;
    caret_ = text_.size();
  } else {
    selected_ = false;
    caret_ = next_boundary(caret_);
  }
  return char_at_caret();
}

std::string TextField::home() {
  selected_ = false;
  caret_ = 0;
  return char_at_caret();
}

std::string TextField::end() {
  selected_ = false;
  caret_ = text_.size();
  return {};
}

std::string spoken_echo(const std::string& echo) {
  return echo == " " ? std::string("espacio") : echo;
}

}  // namespace fortuna
