// What a braille display shows for a text: one cell a character. A display cell holds one code
// point (brltty draws each one on its own cell), so texts are handled here as UTF-32.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fortuna {

// The cell that marks an end: all eight dots, felt at once and never part of a word.
inline constexpr char32_t kEndMark = U'\u28FF';

// The text as cells will show it: valid UTF-8 decoded, each run of spaces, tabs or line breaks
// one space, none at either end. The game's texts carry "\r\n" and doubled spaces that would
// only waste cells.
std::u32string normalized_text(std::string_view utf8);

std::string to_utf8(std::u32string_view text);

// Blank cells are where a line may be cut: a space, or the empty braille pattern.
inline bool is_blank(char32_t cell) {
  return cell == U' ' || cell == U'\u2800';
}

struct Rendering {
  std::u32string cells;  // characters, or braille patterns (U+2800…) once contracted
  // For each cell, the index in the normalized text of the character it stands for, so that a
  // routing key finds the number under it whatever the contraction did.
  std::vector<std::size_t> source;
};

// Normalized text → cells. Uncontracted braille is the text itself; brltty's own table then
// turns each character into dots.
using Translator = std::function<Rendering(std::u32string_view normalized)>;
Rendering uncontracted(std::u32string_view normalized);

}  // namespace fortuna
