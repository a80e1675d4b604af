// Spanish contracted braille: shorter than the text, and routing keys still find the numbers.
#include "braille/contracted.h"

#include <gtest/gtest.h>

#include "braille/braille_view.h"

namespace fortuna {
namespace {

const std::string kRoomQuestion =
    "Anselmo, el chófer, es su turno de jugar. Sus cartas son: 1. Ataque débil, Piel de plátano "
    "y 2. Ataque débil, Revólver. ¿A qué habitación desea ir? (pulse el número "
    "correspondiente).1. El salón, 2. La cocina, 3. La biblioteca, 4. El dormitorio, ";

ContractedBraille spanish() {
  auto opened = ContractedBraille::open();
  if (auto* reason = std::get_if<std::string>(&opened)) ADD_FAILURE() << *reason;
  return std::get<ContractedBraille>(std::move(opened));
}

TEST(BrailleContracted, GivesFewerCellsOfBraillePatternsEachTracedToItsCharacter) {
  const std::u32string text = normalized_text(kRoomQuestion);
  const Rendering rendering = spanish()(text);
  EXPECT_LT(rendering.cells.size(), text.size());
  ASSERT_EQ(rendering.source.size(), rendering.cells.size());
  std::size_t previous = 0;
  for (std::size_t i = 0; i < rendering.cells.size(); ++i) {
    EXPECT_GE(rendering.cells[i], U'\u2800');
    EXPECT_LE(rendering.cells[i], U'\u28FF');
    ASSERT_LT(rendering.source[i], text.size());
    EXPECT_GE(rendering.source[i], previous) << i;  // in reading order
    previous = rendering.source[i];
  }
}

TEST(BrailleContracted, RoutingOnANumbersCellsGivesItsDigit) {
  const std::u32string text = normalized_text(kRoomQuestion);
  const Rendering rendering = spanish()(text);
  BrailleView view(spanish());
  view.set_width(rendering.cells.size());  // one window: cell numbers are the rendering's
  view.show(kRoomQuestion);
  for (const auto& [words, digit] :
       std::vector<std::pair<std::u32string, int>>{{U"1. El salón", 1},
                                                   {U"2. La cocina", 2},
                                                   {U"4. El dormitorio", 4},
                                                   {U"2. Ataque", 2}}) {
    const std::size_t number = text.find(words);
    int cells_found = 0;
    for (std::size_t cell = 0; cell < rendering.cells.size(); ++cell) {
      if (rendering.source[cell] != number) continue;
      ++cells_found;
      EXPECT_EQ(view.handle({BrailleCommand::Kind::Route, static_cast<int>(cell)}),
                (Key{keys::k0 + digit, {}}));
    }
    // The number sign and the digit's own cell.
    EXPECT_GE(cells_found, 1) << to_utf8(words);
  }
}

TEST(BrailleContracted, ATableThatCannotBeLoadedIsSaidInOneLine) {
  auto opened = ContractedBraille::open("no-such-table.ctb");
  ASSERT_TRUE(std::holds_alternative<std::string>(opened));
  const std::string& reason = std::get<std::string>(opened);
  EXPECT_NE(reason.find("no-such-table.ctb"), std::string::npos);
  EXPECT_EQ(reason.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace fortuna
