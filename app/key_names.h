// Key names as key scripts and transcripts write them: [Shift+][Ctrl+][Alt+]NAME.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fortuna {

struct Key {
  std::int16_t code = 0;
  std::int16_t shift = 0;  // 1 Shift, 2 Control, 4 Alt
  bool operator==(const Key&) const = default;
};

// Case-insensitive; nothing for an unknown name or modifier.
std::optional<Key> parse_key_name(std::string_view text);
// The canonical name; a code with no name is written "Code" and its number.
std::string key_name(Key key);

}  // namespace fortuna
