#include "data/message_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "data/translate.h"

namespace fortuna {

namespace {

void put_word(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A catalogue laid out as msgfmt lays one out, originals sorted.
std::string catalogue(const std::vector<std::pair<std::string, std::string>>& entries) {
  const auto count = static_cast<std::uint32_t>(entries.size());
  std::string strings;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> originals, translations;
  const std::uint32_t start = 28 + 16 * count;
  for (const auto& [id, text] : entries) {
    originals.emplace_back(id.size(), start + strings.size());
    strings += id + '\0';
  }
  for (const auto& [id, text] : entries) {
    translations.emplace_back(text.size(), start + strings.size());
    strings += text + '\0';
  }
  std::string bytes;
  for (std::uint32_t value : {0x950412deu, 0u, count, 28u, 28 + 8 * count, 0u, 0u})
    put_word(bytes, value);
  for (const auto& table : {originals, translations})
    for (const auto& [length, offset] : table) {
      put_word(bytes, length);
      put_word(bytes, offset);
    }
  return bytes + strings;
}

}  // namespace

TEST(MessageCatalogue, FindsEachTranslationAndNothingElse) {
  const std::string bytes =
      catalogue({{"", "header"}, {"a", "una"}, {"line %d", "línea %d"}, {"zebra", "cebra"}});
  const MessageCatalogue found(bytes);
  EXPECT_EQ(found.size(), 4u);
  EXPECT_STREQ(found.find("a"), "una");
  EXPECT_STREQ(found.find("line %d"), "línea %d");
  EXPECT_STREQ(found.find("zebra"), "cebra");
  for (const char* missing : {"b", "line", "line %d ", "zebras", "\xC3\xB1"})
    EXPECT_EQ(found.find(missing), nullptr) << missing;
}

TEST(MessageCatalogue, DamagedBytesGiveAnEmptyCatalogue) {
  const std::string bytes = catalogue({{"a", "una"}});
  EXPECT_EQ(MessageCatalogue(bytes.substr(0, 30)).size(), 0u);  // tables cut off
  std::string other_magic = bytes;
  other_magic[0] = 'x';
  EXPECT_EQ(MessageCatalogue(other_magic).size(), 0u);
  // A string pointing past the end is never handed out.
  EXPECT_EQ(MessageCatalogue(bytes.substr(0, bytes.size() - 2)).find("a"), nullptr);
}

TEST(MessageCatalogue, TranslateFallsBackToTheId) {
  const std::string bytes = catalogue({{"standard output", "la salida estándar"}});
  const MessageCatalogue spanish(bytes);
  use_message_catalogue(&spanish);
  EXPECT_STREQ(translate_from_catalogue("standard output"), "la salida estándar");
  EXPECT_STREQ(translate_from_catalogue("no such message"), "no such message");
  use_message_catalogue(nullptr);
  EXPECT_STREQ(translate_from_catalogue("standard output"), "standard output");
}

#ifdef FORTUNA_BINARY
// The real catalogue, as msgfmt made it for the Linux build.
TEST(MessageCatalogue, ReadsTheProgramsSpanishCatalogue) {
  const auto path =
      std::filesystem::path(FORTUNA_BINARY).parent_path() / "locale/es/LC_MESSAGES/fortuna.mo";
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  const std::string text = bytes.str();
  const MessageCatalogue spanish(text);
  EXPECT_GT(spanish.size(), 50u);
  EXPECT_STREQ(spanish.find("standard output"), "la salida estándar");
}
#endif

}  // namespace fortuna
