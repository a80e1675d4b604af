#include "model/text.h"

#include <utf8proc.h>

namespace fortuna {

namespace {

// Calls visit(start, end) for each grapheme cluster, in order, until visit returns false.
template <typename Visit>
void for_each_grapheme(std::string_view s, Visit visit) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(s.data());
  const auto size = static_cast<utf8proc_ssize_t>(s.size());
  utf8proc_ssize_t pos = 0, cluster_start = 0;
  utf8proc_int32_t previous = -1, state = 0;
  while (pos < size) {
    utf8proc_int32_t cp = bytes[pos];
    utf8proc_ssize_t n = 1;
    bool breaks;
    if (cp < 0x80 && previous >= 0 && previous < 0x80) {
      // Two ASCII characters always stand apart, but for CR LF; the card texts are mostly this.
      breaks = !(previous == '\r' && cp == '\n');
      state = 0;
    } else {
      if (cp >= 0x80) {
        n = utf8proc_iterate(bytes + pos, size - pos, &cp);
        if (n < 1) {  // a stray byte counts as one character of its own
          n = 1;
          cp = 0xFFFD;
        }
      }
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

}  // namespace

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
    utf8proc_int32_t cp;
    utf8proc_ssize_t n = utf8proc_iterate(bytes + pos, size - pos, &cp);
    if (n < 1) {
      append_code_point(out, 0xFFFD);
      ++pos;
      continue;
    }
    append_code_point(out, utf8proc_tolower(cp));
    pos += n;
  }
  return out;
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
