// The editable line of the rename box: UTF-8 text, a caret between characters, and the
// whole text selected when the box opens so that typing replaces the name.
// Every edit returns what a screen reader would echo for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fortuna {

class TextField {
 public:
  explicit TextField(std::string initial);

  // Inserts typed text at the caret (replacing the selection); echoes the text typed.
  std::string type(std::string_view utf8);
  // Deletes the character before the caret (or the selection); echoes what went.
  std::string backspace();
  // Deletes the character after the caret (or the selection); echoes what went.
  std::string erase_forward();
  // Caret moves; each echoes the character now after the caret (empty at the end).
  std::string left();
  std::string right();
  std::string home();
  std::string end();

  const std::string& text() const { return text_; }
  // The text before the caret, to place it on screen.
  std::string_view before_caret() const { return std::string_view(text_).substr(0, caret_); }
  bool all_selected() const { return selected_ && !text_.empty(); }

 private:
  std::size_t previous_boundary(std::size_t at) const;
  std::size_t next_boundary(std::size_t at) const;
  std::string char_at_caret() const;
  std::string take_selection();

  std::string text_;
  std::size_t caret_;  // byte offset, always between two characters
  bool selected_ = true;
};

// How an echoed piece of text is spoken: a blank alone would be silent.
std::string spoken_echo(const std::string& echo);

}  // namespace fortuna
