#include "braille/items.h"

namespace fortuna {

namespace {

bool is_digit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

// Letters and digits glue a number to a word ("Vadod2."); punctuation and spaces do not.
bool is_word_char(char32_t c) {
  if (c < 0x80) return is_digit(c) || ((c | 0x20) >= U'a' && (c | 0x20) <= U'z');
  if (c < 0xC0) return false;                  // Latin-1 signs: ¿ ¡ « » and the like
  return !(c >= U'\u2000' && c <= U'\u206F');  // general punctuation: dashes, quotes, …
}

bool starts_item(std::u32string_view text, std::size_t i) {
  if (!is_digit(text[i]) || i + 1 >= text.size() || text[i + 1] != U'.') return false;
  if (i > 0 && is_word_char(text[i - 1])) return false;
  return i + 2 == text.size() || text[i + 2] == U' ';
}

// One past the sentence end at or after `from`: a point, question or exclamation mark followed
// by a space, an opening sign, a digit or the text's end.
std::size_t sentence_end(std::u32string_view text, std::size_t from, std::size_t limit) {
  for (std::size_t j = from; j < limit; ++j) {
    const char32_t c = text[j];
    if (c != U'.' && c != U'?' && c != U'!') continue;
    if (j + 1 == text.size()) return j + 1;
    const char32_t next = text[j + 1];
    if (next == U' ' || next == U'¿' || next == U'¡' || is_digit(next)) return j + 1;
  }
  return limit;
}

}  // namespace

std::vector<NumberedItem> find_items(std::u32string_view normalized) {
  std::vector<NumberedItem> items;
  for (std::size_t i = 0; i < normalized.size(); ++i)
    if (starts_item(normalized, i)) items.push_back({static_cast<int>(normalized[i] - U'0'), i, 0});
  for (std::size_t k = 0; k < items.size(); ++k) {
    const std::size_t next = k + 1 < items.size() ? items[k + 1].number : normalized.size();
    const bool continues = k + 1 < items.size() && items[k + 1].digit == items[k].digit + 1;
    // The point after the digit is the number's, not a sentence's end.
    items[k].end = continues ? next : sentence_end(normalized, items[k].number + 2, next);
  }
  return items;
}

std::optional<int> digit_at(const std::vector<NumberedItem>& items, std::size_t position) {
  for (const NumberedItem& item : items)
    if (position >= item.number && position < item.end) return item.digit;
  return std::nullopt;
}

}  // namespace fortuna
