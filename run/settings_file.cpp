#include "run/settings_file.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "data/translate.h"
#include "run/utf8_file.h"
#ifndef _WIN32
#include <unistd.h>
#endif

namespace fortuna {

namespace {

constexpr const char* kHeader =
    "# Ajustes de La fortuna de Zivi Brunilda. El juego los guarda solo cuando cambian;\n"
    "# se pueden editar con el juego cerrado.\n\n";

std::string reason(int error) {
  return std::strerror(error);
}

// Reads the whole file; nothing, with the system's reason, when it cannot.
std::optional<std::string> read_all(const std::filesystem::path& path, std::string& error) {
  std::FILE* file = open_file(path, "rb");
  if (!file) {
    error = reason(errno);
    return std::nullopt;
  }
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  const bool failed = std::ferror(file) != 0;
  const int read_error = errno;
  std::fclose(file);
  if (failed) {
    error = reason(read_error);
    return std::nullopt;
  }
  return text;
}

std::optional<Settings> fail(std::string& error, const char* why) {
  error = why;
  return std::nullopt;
}

// A name next to the file's that nothing else uses.
std::filesystem::path beside(const std::filesystem::path& path, const std::string& suffix) {
  std::filesystem::path other = path;
  other += suffix;
  for (int n = 2; std::filesystem::exists(other); ++n) {
    other = path;
    other += suffix + "-" + std::to_string(n);
  }
  return other;
}

bool write_whole(const std::filesystem::path& path, const std::string& text, std::string& error) {
  std::FILE* file = open_file(path, "wb");
  if (!file) {
    error = reason(errno);
    return false;
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
#ifndef _WIN32
  ok = ok && fsync(fileno(file)) == 0;
#endif
  if (!ok) error = reason(errno);
  if (std::fclose(file) != 0 && ok) {
    error = reason(errno);
    ok = false;
  }
  return ok;
}

}  // namespace

SettingsFile::SettingsFile(std::filesystem::path path, std::ostream& messages)
    : path_(std::move(path)), messages_(messages) {
  std::error_code missing;
  if (!std::filesystem::exists(path_, missing)) return;
  std::string error;
  const auto text = read_all(path_, error);
  if (!text) {
    writable_ = false;
    say(format_message(
        translate(
            "cannot read the settings %s (%s); the defaults are used and nothing will be saved"),
        utf8_of(path_).c_str(), error.c_str()));
    return;
  }
  if (auto parsed = parse(*text, error)) {
    settings_ = std::move(*parsed);
    return;
  }
  const auto aside = beside(path_, ".roto");
  std::error_code moved;
  std::filesystem::rename(path_, aside, moved);
  writable_ = !moved;  // a damaged file left in place is not written over
  if (moved)
    say(format_message(translate("the settings %s are damaged (%s); the defaults are used"),
                       utf8_of(path_).c_str(), error.c_str()));
  else
    say(format_message(
        translate("the settings %s are damaged (%s); kept as %s, the defaults are used"),
        utf8_of(path_).c_str(), error.c_str(), utf8_of(aside).c_str()));
}

void SettingsFile::say(const std::string& line) {
  report(messages_, line);
}

std::string settings_help() {
#ifdef _WIN32
  // xgettext:no-c-format
  return translate(
      R"(Settings: the names, who plays each character, the rate and the voice are kept in
%APPDATA%\fortuna\ajustes.toml by the window; --settings FILE chooses another file,
--no-settings none. Headless, none is read or saved unless --settings is given.
)");
#else
  return translate(
      R"(Settings: the names, who plays each character, the rate and the voice are kept in
$XDG_CONFIG_HOME/fortuna/ajustes.toml (or ~/.config/fortuna/ajustes.toml) by the window and
the terminal; --settings FILE chooses another file, --no-settings none. Headless, none is read
or saved unless --settings is given. Contracted braille is chosen there with the line
braille = 'abreviado' (uncontracted: 'integral', the default).
)");
#endif
}

std::optional<std::filesystem::path> SettingsFile::default_path() {
#ifdef _WIN32
  const wchar_t* appdata = _wgetenv(L"APPDATA");
  if (appdata && *appdata) return std::filesystem::path(appdata) / "fortuna" / "ajustes.toml";
#else
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return std::filesystem::path(config) / "fortuna" / "ajustes.toml";
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / ".config" / "fortuna" / "ajustes.toml";
#endif
  return std::nullopt;
}

void SettingsFile::save(const Settings& settings) {
  settings_ = settings;
  if (!writable_) return;
  std::error_code made;
  std::filesystem::create_directories(path_.parent_path(), made);
  std::random_device random;
  std::ostringstream name;
  name << ".tmp-" << std::hex << random() << random();
  std::filesystem::path temporary = path_;
  temporary += name.str();
  std::string error;
  std::error_code renamed;
  if (write_whole(temporary, format(settings), error)) {
    std::filesystem::rename(temporary, path_, renamed);
    if (!renamed) return;
    error = renamed.message();
  }
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  writable_ = false;
  say(format_message(
      translate("cannot save the settings in %s (%s); they are kept for this run only"),
      utf8_of(path_).c_str(), error.c_str()));
}

std::optional<Settings> SettingsFile::parse(std::string_view text, std::string& error) {
  toml::table table;
  try {
    table = toml::parse(text);
  } catch (const toml::parse_error& e) {
    std::ostringstream where;
    where << format_message(translate("line %d"), static_cast<int>(e.source().begin.line)) << ": "
          << e.description();
    error = where.str();
    return std::nullopt;
  }
  Settings settings;
  if (const auto* rate = table.get("velocidad")) {
    if (!rate->is_integer()) return fail(error, translate("velocidad is not a whole number"));
    settings.rate =
        static_cast<int>(std::clamp<std::int64_t>(*rate->value<std::int64_t>(), -54, 54));
  }
  if (const auto* voice = table.get("voz")) {
    if (!voice->is_string()) return fail(error, translate("voz is not a text"));
    settings.voice = voice->value<std::string>();
  }
  if (const auto* braille = table.get("braille")) {
    const auto code = braille->value<std::string>();
    if (code != "integral" && code != "abreviado")
      return fail(error, translate("braille is neither 'integral' nor 'abreviado'"));
    settings.braille = *code == "abreviado" ? BrailleCode::Contracted : BrailleCode::Uncontracted;
  }
  if (const auto* tokens = table.get("fichas")) {
    if (!tokens->is_table()) return fail(error, translate("fichas is not a table"));
    for (const auto& [server, token] : *tokens->as_table()) {
      if (!token.is_string()) return fail(error, translate("a ficha is not a text"));
      settings.tokens[std::string(server.str())] = *token.value<std::string>();
    }
  }
  if (const auto* characters = table.get("personajes")) {
    if (!characters->is_array_of_tables())
      return fail(error, translate("personajes is not a list of tables"));
    for (const auto& node : *characters->as_array()) {
      const auto& character = *node.as_table();
      const auto name = character["nombre"].value<std::string>();
      const auto person = character["persona"].value<bool>();
      if (!name || !person) return fail(error, translate("a character without nombre or persona"));
      settings.characters.push_back({*name, *person ? Player::Person : Player::Computer});
    }
  }
  return settings;
}

std::string SettingsFile::format(const Settings& settings) {
  toml::table table;
  if (settings.rate) table.insert("velocidad", *settings.rate);
  if (settings.voice) table.insert("voz", *settings.voice);
  if (settings.braille)
    table.insert("braille",
                 *settings.braille == BrailleCode::Contracted ? "abreviado" : "integral");
  toml::array characters;
  for (const auto& character : settings.characters)
    characters.push_back(
        toml::table{{"nombre", character.name}, {"persona", character.player == Player::Person}});
  if (!characters.empty()) table.insert("personajes", std::move(characters));
  toml::table tokens;
  for (const auto& [server, token] : settings.tokens) tokens.insert(server, token);
  if (!tokens.empty()) table.insert("fichas", std::move(tokens));
  std::ostringstream out;
  out << kHeader << table << '\n';
  return out.str();
}

}  // namespace fortuna
