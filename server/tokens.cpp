#include "server/tokens.h"

#include <sys/random.h>

#include <array>
#include <cstdint>

namespace fortuna {

std::optional<std::string> new_token() {
  std::array<std::uint8_t, 16> bytes{};
  std::size_t filled = 0;
  // getrandom never returns fewer than 256 bytes once the pool is ready, but an interrupted
  // call may.
  for (int attempt = 0; attempt < 8 && filled < bytes.size(); ++attempt) {
    const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
    if (got > 0) filled += static_cast<std::size_t>(got);
  }
  if (filled < bytes.size()) return std::nullopt;
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string token;
  for (std::uint8_t byte : bytes) {
    token += kDigits[byte >> 4];
    token += kDigits[byte & 15];
  }
  return token;
}

bool looks_like_token(std::string_view text) {
  if (text.size() != 32) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

}  // namespace fortuna
