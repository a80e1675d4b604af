#include "data/text.h"

#include <utf8proc.h>

#include <cstdio>

namespace fortuna {

namespace {

// Latin letters and signs up to here never join the next character into one (the combining
// accents start at U+0300): between two of them a character ends, but for CR LF.
constexpr utf8proc_int32_t kAlwaysApart = 0x250;

// The code point at pos and its length n; a stray byte is U+FFFD of length 1. One- and
// two-byte forms, all of Spanish, are read here without a library call.
utf8proc_int32_t decode(const utf8proc_uint8_t* bytes, utf8proc_ssize_t size, utf8proc_ssize_t pos,
                        utf8proc_ssize_t& n) {
  const utf8proc_int32_t b0 = bytes[pos];
  n = 1;
  if (b0 < 0x80) return b0;
  if (b0 >= 0xC2 && b0 <= 0xDF && pos + 1 < size && (bytes[pos + 1] & 0xC0) == 0x80) {
    n = 2;
    return ((b0 & 0x1F) << 6) | (bytes[pos + 1] & 0x3F);
  }
  utf8proc_int32_t cp;
  n = utf8proc_iterate(bytes + pos, size - pos, &cp);
  if (n < 1) {
    n = 1;
    cp = 0xFFFD;
  }
  return cp;
}

// Calls visit(start, end) for each grapheme cluster, in order, until visit returns false.
template <typename Visit>
void for_each_grapheme(std::string_view s, Visit visit) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(s.data());
  const auto size = static_cast<utf8proc_ssize_t>(s.size());
  utf8proc_ssize_t pos = 0, cluster_start = 0;
  utf8proc_int32_t previous = -1, state = 0;
  while (pos < size) {
    utf8proc_ssize_t n = 1;
    utf8proc_int32_t cp = bytes[pos];
    if (cp >= 0x80) cp = decode(bytes, size, pos, n);
    bool breaks;
    if (cp < kAlwaysApart && previous >= 0 && previous < kAlwaysApart) {
      breaks = !(previous == '\r' && cp == '\n');
      state = 0;
    } else {
      breaks = previous >= 0 && utf8proc_grapheme_break_stateful(previous, cp, &state);
    }
    if (breaks) {
      if (!visit(static_cast<std::size_t>(cluster_start), static_cast<std::size_t>(pos))) return;
      cluster_start = pos;
    }
    previous = cp;
    pos += n;
  }
  if (pos > cluster_start)
    visit(static_cast<std::size_t>(cluster_start), static_cast<std::size_t>(pos));
}

void append_code_point(std::string& out, utf8proc_int32_t cp) {
  utf8proc_uint8_t buffer[4];
  utf8proc_ssize_t n = utf8proc_encode_char(cp, buffer);
  out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
}

bool is_blank(utf8proc_int32_t cp) {
  return cp == '\t' || cp == '\n' || cp == '\v' || cp == '\f' || cp == '\r' ||
         utf8proc_category(cp) == UTF8PROC_CATEGORY_ZS;
}

// Whether the text is valid UTF-8 with nothing that breaks a line or controls a terminal.
bool has_only_visible_lines(std::string_view text) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  for (utf8proc_ssize_t pos = 0; pos < size;) {
    utf8proc_int32_t cp;
    const utf8proc_ssize_t n = utf8proc_iterate(bytes + pos, size - pos, &cp);
    if (n < 1) return false;
    const auto category = utf8proc_category(cp);
    if (category == UTF8PROC_CATEGORY_CC || category == UTF8PROC_CATEGORY_ZL ||
        category == UTF8PROC_CATEGORY_ZP)
      return false;
    pos += n;
  }
  return true;
}

}  // namespace

std::optional<std::string> clean_name(std::string_view text, std::size_t max_chars) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  std::size_t start = 0, end = text.size();
  // Blanks are read from both ends; what lies between is checked whole below.
  while (start < end) {
    utf8proc_int32_t cp;
    const auto n = utf8proc_iterate(bytes + start, static_cast<utf8proc_ssize_t>(end - start), &cp);
    if (n < 1 || !is_blank(cp)) break;
    start += static_cast<std::size_t>(n);
  }
  while (end > start) {
    std::size_t lead = end - 1;
    while (lead > start && (bytes[lead] & 0xC0) == 0x80) --lead;
    utf8proc_int32_t cp;
    const auto n = utf8proc_iterate(bytes + lead, static_cast<utf8proc_ssize_t>(end - lead), &cp);
    if (n < 1 || static_cast<std::size_t>(n) != end - lead || !is_blank(cp)) break;
    end = lead;
  }
  const std::string_view name = text.substr(start, end - start);
  if (name.empty() || longer_than(name, max_chars) || !has_only_visible_lines(name))
    return std::nullopt;
  return std::string(name);
}

std::size_t char_length(std::string_view utf8) {
  std::size_t count = 0;
  for_each_grapheme(utf8, [&](std::size_t, std::size_t) {
    ++count;
    return true;
  });
  return count;
}

bool longer_than(std::string_view utf8, std::size_t n) {
  if (utf8.size() <= n) return false;  // a character takes at least one byte
  std::size_t count = 0;
  for_each_grapheme(utf8, [&](std::size_t, std::size_t) { return ++count <= n; });
  return count > n;
}

std::string first_chars(std::string_view utf8, std::size_t n) {
  std::size_t end = 0, taken = 0;
  if (n == 0) return {};
  for_each_grapheme(utf8, [&](std::size_t, std::size_t cluster_end) {
    end = cluster_end;
    return ++taken < n;
  });
  return std::string(utf8.substr(0, end));
}

std::string to_lower(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
  const auto size = static_cast<utf8proc_ssize_t>(utf8.size());
  utf8proc_ssize_t pos = 0;
  while (pos < size) {
    // Runs of ASCII, the bulk of every text, are copied whole and lowered in place.
    utf8proc_ssize_t run = pos;
    while (run < size && bytes[run] < 0x80) ++run;
    if (run > pos) {
      const std::size_t at = out.size();
      out.append(utf8.data() + pos, static_cast<std::size_t>(run - pos));
      for (std::size_t i = at; i < out.size(); ++i)
        if (static_cast<unsigned char>(out[i] - 'A') < 26) out[i] = static_cast<char>(out[i] + 32);
      pos = run;
      continue;
    }
    utf8proc_ssize_t n;
    const utf8proc_int32_t cp = decode(bytes, size, pos, n);
    if (cp < 0x100) {
      // Latin-1's capitals À..Þ (but ×) are 0x20 below their small letters.
      append_code_point(out, cp >= 0xC0 && cp <= 0xDE && cp != 0xD7 ? cp + 0x20 : cp);
    } else {
      append_code_point(out, utf8proc_tolower(cp));
    }
    pos += n;
  }
  return out;
}

std::string printable(std::string_view text, std::size_t max_chars) {
  const bool cut = longer_than(text, max_chars);
  const std::string in = cut ? first_chars(text, max_chars) : std::string(text);
  std::string out;
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(in.data());
  const auto size = static_cast<utf8proc_ssize_t>(in.size());
  for (utf8proc_ssize_t pos = 0; pos < size;) {
    utf8proc_int32_t cp;
    utf8proc_ssize_t n = utf8proc_iterate(bytes + pos, size - pos, &cp);
    char escaped[16];
    if (n < 1) {
      std::snprintf(escaped, sizeof escaped, "\\x%02x", bytes[pos]);
      out += escaped;
      ++pos;
      continue;
    }
    const auto category = utf8proc_category(cp);
    const bool invisible = category == UTF8PROC_CATEGORY_CC || category == UTF8PROC_CATEGORY_CF ||
                           category == UTF8PROC_CATEGORY_ZL || category == UTF8PROC_CATEGORY_ZP ||
                           category == UTF8PROC_CATEGORY_CN || category == UTF8PROC_CATEGORY_CO;
    if (!invisible) {
      out.append(in.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(n)));
    } else if (cp < 0x80) {
      std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(cp));
      out += escaped;
    } else {
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(cp));
      out += escaped;
    }
    pos += n;
  }
  return cut ? out + "…" : out;
}

std::string repair_utf8(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(in.data());
  const auto size = static_cast<utf8proc_ssize_t>(in.size());
  utf8proc_ssize_t pos = 0;
  while (pos < size) {
    utf8proc_int32_t cp;
    utf8proc_ssize_t n = utf8proc_iterate(bytes + pos, size - pos, &cp);
    if (n < 1) {
      append_code_point(out, 0xFFFD);
      ++pos;
    } else {
      out.append(in.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(n)));
      pos += n;
    }
  }
  return out;
}

}  // namespace fortuna
