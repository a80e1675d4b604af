// A person's token: 128 bits from the system's random source, as 32 hexadecimal digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fortuna {

// Nothing when the system gives no random bytes.
std::optional<std::string> new_token();
// What a token looks like: 32 lower-case hexadecimal digits; nothing else is looked up.
bool looks_like_token(std::string_view text);

}  // namespace fortuna
