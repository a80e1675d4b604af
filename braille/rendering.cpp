#include "braille/rendering.h"

#include "data/text.h"

namespace fortuna {

namespace {

bool is_space(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\v' || c == U'\f' ||
         c == U'\u00A0';
}

// Decodes UTF-8 already known to be valid.
std::u32string decode(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    const int extra = b0 < 0x80 ? 0 : b0 < 0xE0 ? 1 : b0 < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? b0 : b0 & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(c);
    i += extra + 1;
  }
  return out;
}

}  // namespace

std::u32string normalized_text(std::string_view utf8) {
  const std::u32string decoded = decode(repair_utf8(utf8));
  std::u32string out;
  out.reserve(decoded.size());
  bool pending_space = false;
  for (const char32_t c : decoded) {
    if (is_space(c)) {
      pending_space = !out.empty();
      continue;
    }
    // Other control characters have no cell of their own.
    if (c < 0x20 || c == 0x7F) continue;
    if (pending_space) out.push_back(U' ');
    pending_space = false;
    out.push_back(c);
  }
  return out;
}

std::string to_utf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

Rendering uncontracted(std::u32string_view normalized) {
  Rendering rendering{std::u32string(normalized), std::vector<std::size_t>(normalized.size())};
  for (std::size_t i = 0; i < normalized.size(); ++i) rendering.source[i] = i;
  return rendering;
}

}  // namespace fortuna
