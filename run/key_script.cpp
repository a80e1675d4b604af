#include "run/key_script.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>

#include "data/text.h"
#include "data/translate.h"
#include "run/checked_file.h"
#include "run/utf8_file.h"

namespace fortuna {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A line shown in a message is cut here: a 30 MB line makes no message.
constexpr std::size_t kShownChars = 80;

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}
// The whole file, or the system's reason why not.
bool read_whole_file(const std::string& path, std::string& text, std::string& error) {
  errno = 0;
  std::FILE* file = open_file(path_from_utf8(path), "rb");
  if (!file) {
    error = system_reason(errno);
    return false;
  }
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  const int failure = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (failure != 0) error = system_reason(failure);
  return failure == 0;
}

}  // namespace

ParsedLine parse_script_line(std::string_view raw, int number) {
  if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
  // Windows editors start a UTF-8 file with a byte-order mark.
  if (number == 1 && raw.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    raw.remove_prefix(kByteOrderMark.size());
  // An answer keeps its text exactly, blanks included; the game repairs what is not UTF-8.
  constexpr std::string_view kText = "text: ";
  if (raw.substr(0, kText.size()) == kText) {
    ScriptLine line{ScriptLine::Kind::Text, {}, std::string(raw.substr(kText.size())), number, {}};
    return {line, {}};
  }
  std::string_view text = trim(raw);
  if (text.empty() || text.front() == '#') return {};
  if (text == "cancel") return {ScriptLine{ScriptLine::Kind::Cancel, {}, {}, number, {}}, {}};
  std::optional<CharacterId> seat;
  if (const auto colon = text.find(':'); colon != std::string_view::npos && colon <= 2) {
    const std::string_view number_text = text.substr(0, colon);
    int seat_number = 0;
    const auto [end, problem] =
        std::from_chars(number_text.data(), number_text.data() + number_text.size(), seat_number);
    if (problem != std::errc() || end != number_text.data() + number_text.size() ||
        seat_number < 1 || seat_number > kCharacterCount)
      return {std::nullopt,
              format_message(translate("line %d: \"%s\" is no seat: a seat is 1 to %d"), number,
                             printable(number_text, kShownChars).c_str(), kCharacterCount)};
    seat = static_cast<CharacterId>(seat_number - 1);
    text = trim(text.substr(colon + 1));
  }
  if (auto key = parse_key_name(text))
    return {ScriptLine{ScriptLine::Kind::Key, *key, {}, number, seat}, {}};
  return {std::nullopt, format_message(translate("line %d: unknown key name \"%s\""), number,
                                       printable(text, kShownChars).c_str())};
}

std::optional<KeyScript> KeyScript::from_file(const std::string& path, std::string& error) {
  std::string text;
  if (!read_whole_file(path, text, error)) {
    error = "--keys " + path + ": " + error;
    return std::nullopt;
  }
  KeyScript script;
  std::size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    ParsedLine parsed =
        parse_script_line(std::string_view(text).substr(start, end - start), number);
    if (!parsed.error.empty()) {
      error = "--keys " + path + ": " + parsed.error;
      return std::nullopt;
    }
    if (parsed.line) script.lines_.push_back(std::move(*parsed.line));
    start = end + 1;
  }
  return script;
}

bool KeyScript::seated() const {
  return std::any_of(lines_.begin(), lines_.end(),
                     [](const ScriptLine& line) { return line.seat; });
}

KeyScript KeyScript::from_stream(std::istream& in, bool lenient, std::ostream& err) {
  KeyScript script;
  script.stream_ = &in;
  script.err_ = &err;
  script.lenient_ = lenient;
  return script;
}

std::optional<ScriptLine> KeyScript::next() {
  if (!stream_) {
    if (position_ >= lines_.size()) return std::nullopt;
    return lines_[position_++];
  }
  std::string raw;
  while (std::getline(*stream_, raw)) {
    ParsedLine parsed = parse_script_line(raw, ++stream_line_);
    if (!parsed.error.empty()) {
      if (!lenient_) {
        error_ = format_message(translate("standard input: %s"), parsed.error.c_str());
        return std::nullopt;
      }
      *err_ << parsed.error << '\n';
      continue;
    }
    if (parsed.line) return parsed.line;
  }
  return std::nullopt;
}

}  // namespace fortuna
