// Which language the program's own messages speak, and where their catalogues lie. Spanish
// unless the locale asks for another language that has a catalogue; the catalogues are found
// next to the executable, so an unpacked or relocated install speaks as an installed one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace fortuna {

// The locale variables as the process found them; empty when unset.
struct LocaleVariables {
  std::string all;       // LC_ALL
  std::string messages;  // LC_MESSAGES
  std::string lang;      // LANG
  std::string language;  // LANGUAGE, the GNU list of preferred languages
};
LocaleVariables locale_variables_from_environment();

// The language list for gettext: the languages asked for, then Spanish; only Spanish when the
// locale asks for none (unset, C or POSIX).
std::string message_languages(const LocaleVariables& variables);

// The folder holding LANGUAGE/LC_MESSAGES/fortuna.mo for an executable: the install's
// share/locale, or the build folder's locale/ beside the program. Nothing when neither has one.
std::optional<std::filesystem::path> find_locale_dir(const std::filesystem::path& executable);

// Chooses the language and binds the catalogues, once, before the first message.
void start_messages();

}  // namespace fortuna
