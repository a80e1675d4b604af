#include "data/text.h"

#include <gtest/gtest.h>
#include <utf8proc.h>

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
  EXPECT_EQ(to_lower("uno <DOS> tres"), "uno <dos> tres");
}

TEST(Text, RepairsInvalidUtf8WithReplacementCharacters) {
  EXPECT_EQ(repair_utf8("a\xFF"
                        "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(repair_utf8("\xC3"), "\xEF\xBF\xBD");  // cut in the middle of "ñ"
  EXPECT_EQ(to_lower("A\xFF"), "a\xEF\xBF\xBD");
}

TEST(Text, LowerCasesLikeUnicodeOverLatin1AndBeyond) {
  // Every Latin-1 character and a few beyond, against the library's own mapping.
  for (char32_t cp = 0x80; cp < 0x250; ++cp) {
    if (cp >= 0xD800) break;
    std::string one;
    utf8proc_uint8_t buffer[4];
    one.append(reinterpret_cast<char*>(buffer), static_cast<std::size_t>(utf8proc_encode_char(
                                                    static_cast<utf8proc_int32_t>(cp), buffer)));
    std::string expected;
    expected.append(reinterpret_cast<char*>(buffer),
                    static_cast<std::size_t>(utf8proc_encode_char(
                        utf8proc_tolower(static_cast<utf8proc_int32_t>(cp)), buffer)));
    EXPECT_EQ(to_lower(one), expected) << static_cast<unsigned>(cp);
  }
  // The short cut for Latin text: below U+0250 two characters stand apart, but for CR LF.
  for (utf8proc_int32_t a = 0; a < 0x250; ++a)
    for (utf8proc_int32_t b = 0; b < 0x250; ++b)
      ASSERT_EQ(utf8proc_grapheme_break(a, b) != 0, !(a == '\r' && b == '\n')) << a << " " << b;
  EXPECT_EQ(to_lower("\xC3"), "\xEF\xBF\xBD");  // a lead byte alone
}

}  // namespace fortuna
