#include "speech/sapi_parts.h"

#include <gtest/gtest.h>

namespace fortuna::sapi {

TEST(SapiParts, SpeaksAsynchronouslyPurgingAndNeverAsMarkup) {
  EXPECT_EQ(kSpeakFlags, 19u);
  EXPECT_EQ(kSpeakFlags & (SPF_IS_XML | SPF_NLP_SPEAK_PUNC), 0u);
}

TEST(SapiParts, RateKeepsTheScaleAndStopsAtSapisEnds) {
  // clang-format off
  const struct { int logical, given; } cases[] = {
      {-54, -10}, {-11, -10}, {-10, -10}, {-5, -5}, {0, 0}, {1, 1}, {10, 10}, {11, 10}, {54, 10}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(sapi_rate(c.logical), c.given) << c.logical;
}

TEST(SapiParts, SpanishTextCrossesToUtf16AndBack) {
  const std::string spanish = "¿Él? La señora Ñandú, ¡qué día!";
  const std::u16string expected = u"¿Él? La señora Ñandú, ¡qué día!";
  EXPECT_EQ(utf16_from_utf8(spanish), expected);
  EXPECT_EQ(utf8_from_utf16(expected), spanish);
  // Beyond the basic plane: a surrogate pair each way.
  EXPECT_EQ(utf16_from_utf8("\xF0\x9F\x82\xA1"), (std::u16string{0xD83C, 0xDCA1}));
  EXPECT_EQ(utf8_from_utf16(std::u16string{0xD83C, 0xDCA1}), "\xF0\x9F\x82\xA1");
}

TEST(SapiParts, MalformedTextBecomesReplacementCharacters) {
  const std::u16string replacement(1, u'\xFFFD');
  EXPECT_EQ(utf16_from_utf8("a\xC3"), u"a" + replacement);  // cut short
  EXPECT_EQ(utf16_from_utf8("\xC0\xAF"), replacement);      // overlong "/"
  EXPECT_EQ(utf16_from_utf8("\xED\xA0\x80"), replacement);  // a surrogate
  EXPECT_EQ(utf16_from_utf8("\xFF"
                            "b"),
            replacement + u"b");                                              // no such lead
  EXPECT_EQ(utf8_from_utf16(std::u16string{0xDC00, u'x'}), "\xEF\xBF\xBDx");  // lone low half
  EXPECT_EQ(utf8_from_utf16(std::u16string{0xD800}), "\xEF\xBF\xBD");  // high half at the end
}

TEST(SapiParts, VoiceIsChosenOnlyWithinTheList) {
  EXPECT_EQ(voice_position(0, 3), 0u);
  EXPECT_EQ(voice_position(2, 3), 2u);
  EXPECT_FALSE(voice_position(3, 3));
  EXPECT_FALSE(voice_position(-1, 3));
  EXPECT_FALSE(voice_position(0, 0));
}

}  // namespace fortuna::sapi
