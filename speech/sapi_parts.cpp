#include "speech/sapi_parts.h"

#include <algorithm>

namespace fortuna::sapi {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point starting at text[at], advancing at past it.
char32_t next_code_point(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  int length = 0;
  char32_t point = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 1;
    point = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 2;
    point = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 3;
    point = lead & 0x07;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < length; ++i) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
      return kReplacement;
    point = (point << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
  if (point < kSmallest[length] || point > 0x10FFFF || surrogate) return kReplacement;
  return point;
}

void append_utf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (point >> 18));
    out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

}  // namespace

int sapi_rate(int logical_rate) {
  return std::clamp(logical_rate, -10, 10);
}

std::u16string utf16_from_utf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t point = next_code_point(utf8, at);
    if (point < 0x10000) {
      out += static_cast<char16_t>(point);
    } else {
      out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string utf8_from_utf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t at = 0; at < utf16.size(); ++at) {
    char32_t point = utf16[at];
    const bool high = point >= 0xD800 && point <= 0xDBFF;
    const bool low_next =
        at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 && utf16[at + 1] <= 0xDFFF;
    if (high && low_next) {
      point = 0x10000 + ((point - 0xD800) << 10) + (utf16[++at] - 0xDC00);
    } else if (point >= 0xD800 && point <= 0xDFFF) {
      point = kReplacement;
    }
    append_utf8(out, point);
  }
  return out;
}

std::optional<std::size_t> voice_position(int index, std::size_t voice_count) {
  if (index < 0 || static_cast<std::size_t>(index) >= voice_count) return std::nullopt;
  return static_cast<std::size_t>(index);
}

}  // namespace fortuna::sapi
