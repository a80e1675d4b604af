// The program's messages on Windows: Spanish from the catalogue compiled into the program,
// English when the locale variables or, without them, the user's Windows language ask for it.
#include <windows.h>

#include <string_view>

#include "app/message_language.h"
#include "data/message_catalogue.h"

namespace fortuna {

// Made from po/es.po at build time.
extern const std::string_view kSpanishCatalogue;

namespace {

bool english_asked() {
  const LocaleVariables variables = locale_variables_from_environment();
  if (!variables.all.empty() || !variables.messages.empty() || !variables.lang.empty() ||
      !variables.language.empty())
    return message_languages(variables).rfind("en", 0) == 0;
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH;
}

}  // namespace

void start_messages() {
  static const MessageCatalogue spanish(kSpanishCatalogue);
  use_message_catalogue(english_asked() ? nullptr : &spanish);
}

}  // namespace fortuna
