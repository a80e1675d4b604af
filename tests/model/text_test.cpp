#include "model/text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace fortuna {

TEST(Text, CountsCharactersNotBytes) {
  EXPECT_EQ(char_length(""), 0u);
  EXPECT_EQ(char_length("Sí"), 2u);
  EXPECT_EQ(char_length("ñoño"), 4u);
  EXPECT_EQ(char_length("¿Qué?"), 5u);
  // A decomposed accent is still one character with its letter.
  EXPECT_EQ(char_length("Si\xCC\x81"), 2u);
}

TEST(Text, LongerThanCountsCharacters) {
  EXPECT_FALSE(longer_than("Sí", 2));
  EXPECT_TRUE(longer_than("Sí.", 2));
  EXPECT_FALSE(longer_than("ñá", 2));
  EXPECT_FALSE(longer_than("Si\xCC\x81", 2));
  EXPECT_TRUE(longer_than("abc", 2));
  EXPECT_FALSE(longer_than("", 0));
  EXPECT_TRUE(longer_than("a", 0));
}

TEST(Text, CutsNeverSplitALetter) {
  EXPECT_EQ(first_chars("Escondite, salón: Nadie", 16), "Escondite, salón");
  EXPECT_EQ(first_chars("Sí", 1), "S");
  EXPECT_EQ(first_chars("Sí", 2), "Sí");
  EXPECT_EQ(first_chars("Sí", 50), "Sí");
  EXPECT_EQ(first_chars("Sí", 0), "");
  EXPECT_EQ(first_chars("Si\xCC\x81s", 2), "Si\xCC\x81");
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

namespace fortuna {

TEST(Text, CountsLikeUnicodeAcrossAsciiAndAccents) {
  EXPECT_EQ(char_length("a\r\nb"), 3u);  // CR LF is one character
  EXPECT_EQ(char_length("e\xCC\x81\xCC\x81x"), 2u);
  EXPECT_EQ(char_length("\xF0\x9F\x87\xAA\xF0\x9F\x87\xB8!"), 2u);  // a flag, then "!"
  EXPECT_EQ(first_chars("ab\r\ncd", 3), "ab\r\n");
}

}  // namespace fortuna
