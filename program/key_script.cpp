#include "program/key_script.h"

#include <fstream>
#include <sstream>

#include "data/text.h"
#include "data/translate.h"

namespace fortuna {

namespace {
std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}
}  // namespace

ParsedLine parse_script_line(std::string_view raw, int number) {
  if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
  // An answer keeps its text exactly, blanks included; the game repairs what is not UTF-8.
  constexpr std::string_view kText = "text: ";
  if (raw.substr(0, kText.size()) == kText) {
    ScriptLine line{ScriptLine::Kind::Text, {}, std::string(raw.substr(kText.size())), number};
    return {line, {}};
  }
  std::string_view text = trim(raw);
  if (text.empty() || text.front() == '#') return {};
  if (text == "cancel") return {ScriptLine{ScriptLine::Kind::Cancel, {}, {}, number}, {}};
  if (auto key = parse_key_name(text))
    return {ScriptLine{ScriptLine::Kind::Key, *key, {}, number}, {}};
  return {std::nullopt, format_message(translate("line %d: unknown key name \"%s\""), number,
                                       repair_utf8(text).c_str())};
}

std::optional<KeyScript> KeyScript::from_file(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = format_message(translate("--keys %s: cannot read the file"), path.c_str());
    return std::nullopt;
  }
  KeyScript script;
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ParsedLine parsed = parse_script_line(raw, ++number);
    if (!parsed.error.empty()) {
      error = "--keys " + path + ": " + parsed.error;
      return std::nullopt;
    }
    if (parsed.line) script.lines_.push_back(std::move(*parsed.line));
  }
  if (in.bad()) {
    error = format_message(translate("--keys %s: read error"), path.c_str());
    return std::nullopt;
  }
  return script;
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
