// What the SAPI 5 engine decides without Windows, so that it is tested anywhere: the speak
// flags, the rate SAPI is given, the text's UTF-16 and the voice chosen by position.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fortuna::sapi {

// SAPI 5's SPEAKFLAGS, with sapi.h's values.
enum SpeakFlag : unsigned {
  SPF_ASYNC = 1,
  SPF_PURGEBEFORESPEAK = 2,
  SPF_IS_XML = 8,
  SPF_IS_NOT_XML = 16,
  SPF_NLP_SPEAK_PUNC = 64,
};
// 64 is not "plain text" in SAPI: it is SPF_NLP_SPEAK_PUNC, punctuation read aloud. The game
// wants its texts read literally and quietly, a "<" included: never parsed as XML.
inline constexpr unsigned kSpeakFlags = SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML;

// SAPI's rate for the game's logical rate: the same scale (steps of 1 and 5 around 0), held at
// the ends of SAPI's -10..10.
int sapi_rate(int logical_rate);

// UTF-8 to UTF-16 and back; a malformed sequence becomes U+FFFD.
std::u16string utf16_from_utf8(std::string_view utf8);
std::string utf8_from_utf16(std::u16string_view utf16);

// The token to select for a position of the voice list, or nothing when it is outside.
std::optional<std::size_t> voice_position(int index, std::size_t voice_count);

}  // namespace fortuna::sapi
