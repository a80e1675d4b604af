#include "model/text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace fortuna {

TEST(Text, CountsAndCutsCharactersNotBytes) {
  // A decomposed accent is one character with its letter; so are CR LF and a flag.
  // clang-format off
  const struct { const char* text; std::size_t length; } lengths[] = {
      {"", 0}, {"Sí", 2}, {"¿Qué?", 5}, {"Si\xCC\x81", 2}, {"e\xCC\x81\xCC\x81x", 2},
      {"a\r\nb", 3}, {"\xF0\x9F\x87\xAA\xF0\x9F\x87\xB8!", 2}};
  // clang-format on
  for (const auto& c : lengths) {
    EXPECT_EQ(char_length(c.text), c.length) << c.text;
    EXPECT_FALSE(longer_than(c.text, c.length)) << c.text;
    EXPECT_TRUE(c.length == 0 || longer_than(c.text, c.length - 1)) << c.text;
  }
  EXPECT_EQ(first_chars("Escondite, salón: Nadie", 16), "Escondite, salón");
  EXPECT_EQ(first_chars("Sí", 1), "S");
  EXPECT_EQ(first_chars("Sí", 50), "Sí");
  EXPECT_EQ(first_chars("Sí", 0), "");
  EXPECT_EQ(first_chars("Si\xCC\x81s", 2), "Si\xCC\x81");
  EXPECT_EQ(first_chars("ab\r\ncd", 3), "ab\r\n");
}

TEST(Text, LowerCasesAccentedCapitalsWhateverTheLocale) {
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(to_lower("ÉL SALÓN ÑANDÚ"), "él salón ñandú");
  EXPECT_EQ(to_lower("Ü Ç À"), "ü ç à");
  EXPECT_EQ(to_lower("uno <DOS> tres"), "uno <dos> tres");
}

TEST(Text, RepairsInvalidUtf8WithReplacementCharacters) {
  EXPECT_EQ(repair_utf8("Señor"), "Señor");
  EXPECT_EQ(repair_utf8("a\xFF"
                        "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(repair_utf8("\xC3"), "\xEF\xBF\xBD");  // cut in the middle of "ñ"
  EXPECT_EQ(to_lower("A\xFF"), "a\xEF\xBF\xBD");
}

}  // namespace fortuna
