#include "app/message_language.h"

#include <clocale>
#include <cstdlib>
#include <system_error>

#include "data/translate.h"

#ifndef FORTUNA_LOCALE_FROM_BINDIR
#define FORTUNA_LOCALE_FROM_BINDIR "../share/locale"
#endif

namespace fortuna {

namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The C and POSIX locales name no language; gettext never translates in them.
bool names_no_language(const std::string& locale) {
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

// "en_US.UTF-8@euro" -> "en_US": the part gettext's language list wants.
std::string language_of(const std::string& locale) {
  return locale.substr(0, locale.find_first_of(".@"));
}

}  // namespace

LocaleVariables locale_variables_from_environment() {
  return {variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG"), variable("LANGUAGE")};
}

std::string message_languages(const LocaleVariables& variables) {
  // POSIX precedence: the first of these that is set decides.
  std::string asked = variables.all;
  if (asked.empty()) asked = variables.messages;
  if (asked.empty()) asked = variables.lang;
  if (names_no_language(asked)) return "es";
  const std::string preferred =
      variables.language.empty() ? language_of(asked) : variables.language;
  // English asked for is English all through: with Spanish after it, the system's own messages
  // (an error's reason) would come in Spanish, since they have no English catalogue.
  if (preferred.rfind("en", 0) == 0) return preferred;
  return preferred + ":es";
}

std::optional<std::filesystem::path> find_locale_dir(const std::filesystem::path& executable) {
  const std::filesystem::path folder = executable.parent_path();
  for (auto candidate : {folder / FORTUNA_LOCALE_FROM_BINDIR, folder / "locale"}) {
    candidate = candidate.lexically_normal();
    std::error_code ignored;
    if (std::filesystem::is_regular_file(candidate / "es" / "LC_MESSAGES" / "fortuna.mo", ignored))
      return candidate;
  }
  return std::nullopt;
}

#ifndef _WIN32
void start_messages() {
#ifdef FORTUNA_HAS_GETTEXT
  const char* chosen = std::setlocale(LC_MESSAGES, "");
  // A language whose locale is not installed, or none at all, is still served from our own
  // catalogues: gettext reads the LANGUAGE list in any locale but C.
  if (!chosen || names_no_language(chosen)) std::setlocale(LC_MESSAGES, "C.UTF-8");
  setenv("LANGUAGE", message_languages(locale_variables_from_environment()).c_str(), 1);

  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    if (const auto folder = find_locale_dir(executable))
      bindtextdomain(kTextDomain, folder->c_str());
  }
  // Whatever the locale's character set, the terminal gets the catalogues' UTF-8.
  bind_textdomain_codeset(kTextDomain, "UTF-8");
#endif
}
#endif

}  // namespace fortuna
