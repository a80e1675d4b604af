// The program's own messages (errors, notices, help) in the player's language, through GNU
// gettext. Write the English text where the message is made, inside translate("..."), and run
// scripts/update-translations.sh so translators find it in po/. Values go in as printf's %s and
// %d through format_message: translators may move them but never drop one (msgfmt --check).
// The game's own texts (everything spoken or shown as the game) are never translated.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#if defined(_WIN32)
// No gettext there: the catalogue is compiled into the program.
#include "data/message_catalogue.h"
#elif __has_include(<libintl.h>)
#include <libintl.h>
#define FORTUNA_HAS_GETTEXT 1
#endif

namespace fortuna {

inline constexpr const char* kTextDomain = "fortuna";
inline constexpr const char* kProgramName = "fortuna";

// One line of the program's own, after its name as every message of ours begins, seen at once.
inline void report(std::ostream& out, std::string_view message) {
  out << kProgramName << ": " << message << std::endl;
}

// The message in the chosen language; the English id itself when nothing translates it.
[[gnu::format_arg(1)]] inline const char* translate(const char* id) {
#if defined(_WIN32)
  return translate_from_catalogue(id);
#elif defined(FORTUNA_HAS_GETTEXT)
  return dgettext(kTextDomain, id);
#else
  return id;
#endif
}

// A translated printf pattern filled with its values.
[[gnu::format(printf, 1, 2)]] inline std::string format_message(const char* pattern, ...) {
  std::va_list arguments;
  va_start(arguments, pattern);
  std::va_list measuring;
  va_copy(measuring, arguments);
  const int length = std::vsnprintf(nullptr, 0, pattern, measuring);
  va_end(measuring);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, pattern, arguments);
  va_end(arguments);
  return text;
}

}  // namespace fortuna
