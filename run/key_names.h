// Key names as key scripts and transcripts write them: [Shift+][Ctrl+][Alt+]NAME.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/keys.h"

namespace fortuna {

// Case-insensitive; nothing for an unknown name or modifier.
std::optional<Key> parse_key_name(std::string_view text);
// The canonical name; a code with no name is written "Code" and its number.
std::string key_name(Key key);

}  // namespace fortuna
