// The numbered choices in a text ("1. El salón, 2. La cocina, "), so that a routing key on a
// choice works as pressing its number.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace fortuna {

struct NumberedItem {
  int digit = 0;
  std::size_t number = 0;  // where the digit is; the point after it belongs to the number too
  std::size_t end = 0;     // one past the item's last character
};

// A single digit followed by a point and a space (or the end), not glued to a letter or digit
// before it, starts an item. The item runs to the next item when that one is numbered next in
// order (the words between are the choice's name, commas and all); otherwise, being a list's
// last, it ends with its sentence, so that a question after a list is no part of its last item.
std::vector<NumberedItem> find_items(std::u32string_view normalized);

// The digit of the item holding the character at `position`, if any.
std::optional<int> digit_at(const std::vector<NumberedItem>& items, std::size_t position);

}  // namespace fortuna
