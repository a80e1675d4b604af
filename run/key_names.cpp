#include "run/key_names.h"

#include <array>
#include <cctype>
#include <utility>

#include "data/keys.h"

namespace fortuna {

namespace {

constexpr std::array<std::pair<const char*, int>, 13> kNamedKeys = {{
    {"Enter", keys::kEnter},
    {"Escape", keys::kEscape},
    {"Space", keys::kSpace},
    {"Tab", keys::kTab},
    {"Left", keys::kLeft},
    {"Up", keys::kUp},
    {"Right", keys::kRight},
    {"Down", keys::kDown},
    {"Control", keys::kControl},
    {"PageUp", keys::kPageUp},
    {"PageDown", keys::kPageDown},
    {"Home", keys::kHome},
    {"End", keys::kEnd},
}};

constexpr std::array<std::pair<const char*, bool Modifiers::*>, 3> kModifiers = {{
    {"Shift+", &Modifiers::shift},
    {"Ctrl+", &Modifiers::control},
    {"Alt+", &Modifiers::alt},
}};

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::optional<int> parse_base(std::string_view name) {
  for (const auto& [text, code] : kNamedKeys)
    if (equals_ignoring_case(name, text)) return code;
  if (name.size() == 1) {
    const char c = name[0];
    if (c >= '0' && c <= '9') return keys::k0 + (c - '0');
    if (c >= 'a' && c <= 'z') return 'A' + (c - 'a');
    if (c >= 'A' && c <= 'Z') return c;
    return std::nullopt;
  }
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (name[1] != '0' && n >= 1 && n <= 12) return keys::kF1 + n - 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Key> parse_key_name(std::string_view text) {
  Key key;
  std::size_t next_modifier = 0;  // modifiers come in the order Shift, Ctrl, Alt
  for (;;) {
    bool matched = false;
    for (std::size_t m = next_modifier; m < kModifiers.size() && !matched; ++m) {
      std::string_view prefix = kModifiers[m].first;
      if (text.size() > prefix.size() &&
          equals_ignoring_case(text.substr(0, prefix.size()), prefix)) {
        key.modifiers.*kModifiers[m].second = true;
        text.remove_prefix(prefix.size());
        next_modifier = m + 1;
        matched = true;
      }
    }
    if (!matched) break;
  }
  auto code = parse_base(text);
  if (!code) return std::nullopt;
  key.code = *code;
  return key;
}

std::string key_name(Key key) {
  std::string name;
  for (const auto& [prefix, held] : kModifiers)
    if (key.modifiers.*held) name += prefix;
  for (const auto& [text, code] : kNamedKeys)
    if (key.code == code) return name + text;
  if (key.code >= keys::k0 && key.code <= keys::k9) return name + static_cast<char>(key.code);
  if (key.code >= 'A' && key.code <= 'Z') return name + static_cast<char>(key.code);
  if (key.code >= keys::kF1 && key.code <= keys::kF12)
    return name + "F" + std::to_string(key.code - keys::kF1 + 1);
  return name + "Code" + std::to_string(key.code);
}

}  // namespace fortuna
