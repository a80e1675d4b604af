// The generator, bit for bit, and text counted and cut by characters.
#include <gtest/gtest.h>
#include <utf8proc.h>

#include <clocale>
#include <vector>

#include "data/random.h"
#include "data/text.h"

namespace fortuna::testing {
namespace {

TEST(Random, FollowsSplitMix64FromTheStartStateOrASeed) {
  // Reference outputs of SplitMix64 seeded with 0.
  Random r(0);
  for (std::uint64_t z : {0xE220A8397B1DCDAFULL, 0x6E789E6AA1B965F4ULL, 0x06C45D188009454FULL})
    EXPECT_DOUBLE_EQ(r.x(), static_cast<double>(z >> 11) * 0x1.0p-53);
  EXPECT_EQ(Random().state(), 0x2545F4914F6CDD1DULL);
  Random seeded;
  seeded.x();
  seeded.seed(1234);
  EXPECT_EQ(seeded.state(), 1234u);
  EXPECT_EQ(seeded.draws(), 1u);
}

std::uint64_t undo_xor_shift(std::uint64_t y, int shift) {
  std::uint64_t x = y;
  for (int s = shift; s < 64; s += shift) x ^= y >> s;
  return x;
}

std::uint64_t inverse(std::uint64_t odd) {
  std::uint64_t inverse = odd;
  for (int i = 0; i < 6; ++i) inverse *= 2 - odd * inverse;
  return inverse;
}

// The generator state whose next draw has these 53 bits.
std::uint64_t state_before(std::uint64_t bits) {
  std::uint64_t z = undo_xor_shift(bits << 11, 31) * inverse(0x94D049BB133111EBULL);
  z = undo_xor_shift(z, 27) * inverse(0xBF58476D1CE4E5B9ULL);
  return undo_xor_shift(z, 30) - 0x9E3779B97F4A7C15ULL;
}

void expect_same_as_one_by_one(std::uint64_t state, int n, int count) {
  Random many(state), one_by_one(state);
  std::vector<std::uint8_t> drawn(static_cast<std::size_t>(count));
  many.draw_below(n, drawn.data(), count);
  for (int i = 0; i < count; ++i)
    ASSERT_EQ(drawn[static_cast<std::size_t>(i)], one_by_one.draw(n) - 1)
        << "n " << n << ", draw " << i << " of " << count << " from " << state;
  EXPECT_EQ(many.state(), one_by_one.state());
  EXPECT_EQ(many.draws(), one_by_one.draws());
}

TEST(Random, DrawsAtOnceAreTheDrawsOneByOne) {
  for (const int n : {1, 2, 9, 37, 100, 256})
    for (const int count : {0, 1, 7, 8, 13, 4000}) expect_same_as_one_by_one(12345 + n, n, count);
  Random crafted(state_before(0x1234567));
  EXPECT_EQ(crafted.x(), 0x1234567 * 0x1.0p-53);
}

// Where the double product m x 2^-53 x n rounds up to the next whole number, whole-number
// shortcuts go wrong: each such m, in every place of a run of draws, must still come out right.
TEST(Random, DrawsAtOnceRoundLikeTheDoubleProductNextToEveryWholeNumber) {
  constexpr std::uint64_t kMask = (std::uint64_t{1} << 53) - 1;
  int rounded_up = 0;
  for (const std::uint64_t n : {3u, 37u, 255u}) {
    for (std::uint64_t below = 1; below <= 200; ++below) {
      const std::uint64_t bits = (0 - below) * inverse(n) & kMask;  // bits x n = -below mod 2^53
      const bool rounds_up = static_cast<std::uint64_t>(static_cast<double>(bits) * 0x1.0p-53 *
                                                        static_cast<double>(n)) != bits * n >> 53;
      rounded_up += rounds_up ? 1 : 0;
      for (const std::uint64_t place : {0u, 5u, 8u, 15u, 17u})
        expect_same_as_one_by_one(state_before(bits) - place * 0x9E3779B97F4A7C15ULL,
                                  static_cast<int>(n), 18);
    }
  }
  EXPECT_GT(rounded_up, 10);
}

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

}  // namespace
}  // namespace fortuna::testing
