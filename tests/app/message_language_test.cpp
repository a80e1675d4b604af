// The program's own messages: the catalogues found beside the program, every message of
// po/fortuna.pot translated in each catalogue. The command-line test runs the languages.
#include "app/message_language.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <regex>

#include "data/translate.h"
#include "support/run_fortuna.h"

extern "C" int _nl_msg_cat_cntr;

namespace fortuna::testing {
namespace {

TEST(Messages, CataloguesAreFoundInTheInstallOrBesideTheProgramInTheBuildFolder) {
  const auto root = scratch_dir();
  for (const char* folder :
       {"usr/share/locale", "build/locale", "both/share/locale", "both/bin/locale"}) {
    std::filesystem::create_directories(root / folder / "es/LC_MESSAGES");
    std::ofstream(root / folder / "es/LC_MESSAGES/fortuna.mo") << "mo";
  }
  std::filesystem::create_directories(root / "empty/share/locale/es");
  const std::pair<const char*, const char*> cases[] = {{"usr/bin/fortuna", "usr/share/locale"},
                                                       {"build/fortuna", "build/locale"},
                                                       {"both/bin/fortuna", "both/share/locale"},
                                                       {"empty/bin/fortuna", nullptr}};
  for (const auto& [executable, found] : cases)
    EXPECT_EQ(find_locale_dir(root / executable),
              found ? std::optional(root / found) : std::nullopt)
        << executable;
}

// The message ids of a .pot file, multi-line ones joined; the header's empty id left out.
std::vector<std::string> message_ids(const std::filesystem::path& pot) {
  std::vector<std::string> ids;
  std::ifstream in(pot);
  const std::regex quoted(R"re(^(msgid )?"(.*)"$)re");
  bool in_id = false;
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    in_id = std::regex_match(line, match, quoted) && (in_id || match[1].matched);
    if (match[1].matched) ids.emplace_back();
    const std::string text = match[2].str();
    for (std::size_t i = 0; in_id && i < text.size(); ++i) {
      char c = text[i];
      if (c == '\\' && i + 1 < text.size()) {
        c = text[++i];
        c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
      }
      ids.back() += c;
    }
  }
  std::erase(ids, std::string());
  return ids;
}

// gettext hands back the id's own pointer when it has no translation, even an identical one.
TEST(Messages, EveryMessageHasATranslationInEachCatalogue) {
  const auto ids = message_ids(std::filesystem::path(FORTUNA_SOURCE_DIR) / "po" / "fortuna.pot");
  ASSERT_GE(ids.size(), 40u);
  const auto locale_dir = std::filesystem::path(FORTUNA_BINARY).parent_path() / "locale";
  ASSERT_TRUE(bindtextdomain(kTextDomain, locale_dir.c_str()));
  bind_textdomain_codeset(kTextDomain, "UTF-8");
  ASSERT_TRUE(std::setlocale(LC_MESSAGES, "C.UTF-8"));
  for (const char* language : {"es", "en"}) {
    SCOPED_TRACE(language);
    setenv("LANGUAGE", language, 1);
    ++_nl_msg_cat_cntr;  // the gettext manual's way to make it read LANGUAGE anew
    EXPECT_NE(std::string(translate("")).find(std::string("Language: ") + language),
              std::string::npos);
    int differing = 0;
    for (const auto& id : ids) {
      const char* translated = translate(id.c_str());
      EXPECT_NE(translated, id.c_str()) << "no translation for \"" << id << "\"";
      differing += id != translated;
    }
    // Spanish says nearly all of them otherwise; English repeats every one.
    if (language == std::string("es")) {
      EXPECT_GE(differing, static_cast<int>(ids.size()) - 2);
    } else {
      EXPECT_EQ(differing, 0);
    }
  }
  unsetenv("LANGUAGE");
  std::setlocale(LC_MESSAGES, "C");
}

}  // namespace
}  // namespace fortuna::testing
