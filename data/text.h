// UTF-8 text as the game counts and cases it: characters, not bytes; Unicode's case mapping.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fortuna {

// Number of characters (extended grapheme clusters): "Sí" is 2.
std::size_t char_length(std::string_view utf8);
// Whether the text holds more than n characters; reads no further than it must.
bool longer_than(std::string_view utf8, std::size_t n);
// The first n characters, never cutting inside one.
std::string first_chars(std::string_view utf8, std::size_t n);
// Unicode lower case, independent of the process locale: "ÉL SALÓN" -> "él salón".
std::string to_lower(std::string_view utf8);
// Valid UTF-8, with each invalid sequence replaced by U+FFFD.
std::string repair_utf8(std::string_view bytes);
// A name someone gives (a person's, a table's, a character's): blanks around it trimmed, then 1
// to max_chars characters of valid UTF-8 with no control character nor line break; nothing
// otherwise.
std::optional<std::string> clean_name(std::string_view text, std::size_t max_chars);
// Text from outside as a message may show it: what cannot be seen written as \x00 or \u200b, an
// invalid byte as \xff, and no more than max_chars characters, then "…".
std::string printable(std::string_view bytes, std::size_t max_chars);

}  // namespace fortuna
