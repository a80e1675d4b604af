// Routing keys on the game's own lists: the number and the words of its choice press that digit.
#include <gtest/gtest.h>

#include "braille/braille_view.h"
#include "braille/items.h"

namespace fortuna {
namespace {

const std::string kRoomQuestion =
    "Anselmo, el chófer, es su turno de jugar. Sus cartas son: 1. Ataque débil, Piel de plátano "
    "y 2. Ataque débil, Revólver. ¿A qué habitación desea ir? (pulse el número "
    "correspondiente).1. El salón, 2. La cocina, 3. La biblioteca, 4. El dormitorio, ";

// The digit a routing key gives on each character of the text, "." for none.
std::string digits_along(std::string_view text) {
  const std::u32string normalized = normalized_text(text);
  const auto items = find_items(normalized);
  std::string out;
  for (std::size_t i = 0; i < normalized.size(); ++i) {
    const auto digit = digit_at(items, i);
    out += digit ? static_cast<char>('0' + *digit) : '.';
  }
  return out;
}

TEST(BrailleRouting, EachChoiceRunsFromItsNumberToTheNextOne) {
  EXPECT_EQ(digits_along("Elija: 1. El salón, 2. La cocina, 3. Íñigo, "),
            ".......111111111111122222222222222333333333");
}

TEST(BrailleRouting, AListsLastChoiceEndsWithItsSentence) {
  EXPECT_EQ(digits_along("1. Uno y 2. Dos. ¿Qué carta?"), "1111111112222222............");
  EXPECT_EQ(digits_along("1. Uno y 2. Dos? Ya"), "1111111112222222...");
}

TEST(BrailleRouting, NumbersThatIntroduceNoChoiceGiveNothing) {
  // Counts, numbers inside words, two-digit numbers and numbers without their point.
  EXPECT_EQ(digits_along("Sólo hay 3 objetivos."), ".....................");
  EXPECT_EQ(digits_along("Vadod2. Hay 12. pulse 1 o 2"), "...........................");
}

TEST(BrailleRouting, TwoListsInOneTextEachKeepTheirNumbers) {
  const std::string digits = digits_along(kRoomQuestion);
  const std::u32string text = normalized_text(kRoomQuestion);
  const auto at = [&](std::u32string_view words) { return digits[text.find(words)]; };
  EXPECT_EQ(at(U"Piel de plátano"), '1');
  EXPECT_EQ(at(U"Revólver"), '2');
  EXPECT_EQ(at(U"¿A qué habitación"), '.');
  EXPECT_EQ(at(U"correspondiente"), '.');
  EXPECT_EQ(at(U"El salón"), '1');
  EXPECT_EQ(at(U"La cocina"), '2');
  EXPECT_EQ(at(U"El dormitorio,"), '4');
}

TEST(BrailleRouting, ARoutingKeyCountsCellsFromTheWindowShown) {
  BrailleView view;
  view.set_width(40);
  view.show(kRoomQuestion);
  using Kind = BrailleCommand::Kind;
  for (int i = 0; i < 10 && view.window_utf8().find("La cocina") == std::string::npos; ++i)
    view.handle({Kind::PanForward, 0});
  const std::u32string window = view.window();
  const auto cell = [&](std::u32string_view words) { return static_cast<int>(window.find(words)); };
  ASSERT_NE(window.find(U"2. La cocina"), std::u32string::npos) << view.window_utf8();
  EXPECT_EQ(view.handle({Kind::Route, cell(U"2. La cocina")}), (Key{keys::k0 + 2, {}}));
  EXPECT_EQ(view.handle({Kind::Route, cell(U"cocina")}), (Key{keys::k0 + 2, {}}));
  // "1. El" ended the window before: its choice's words still give 1.
  ASSERT_EQ(window.find(U"salón,"), 0u) << view.window_utf8();
  EXPECT_EQ(view.handle({Kind::Route, cell(U"salón")}), (Key{keys::k0 + 1, {}}));
  // Past the window's text, and on the end mark, a routing key gives nothing.
  EXPECT_EQ(view.handle({Kind::Route, 39}), std::nullopt);
  for (int i = 0; i < 10; ++i) view.handle({Kind::PanForward, 0});
  EXPECT_EQ(view.handle({Kind::Route, 0}), std::nullopt);
}

}  // namespace
}  // namespace fortuna
