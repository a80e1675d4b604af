// How a text becomes cells and windows: what the player reads, window by window.
#include "braille/windows.h"

#include <gtest/gtest.h>

#include "braille/rendering.h"

namespace fortuna {
namespace {

std::vector<std::string> windows_of(std::string_view text, std::size_t width) {
  const std::u32string cells = normalized_text(text);
  std::vector<std::string> out;
  for (const BrailleWindow& w : cut_windows(cells, width))
    out.push_back(to_utf8(std::u32string_view(cells).substr(w.start, w.length)));
  return out;
}

TEST(BrailleWindows, CutsAccentedSpanishAtWordsCountingCharactersNotBytes) {
  // 20 characters but 24 bytes: counted in bytes, "ñandú" would not fit.
  EXPECT_EQ(windows_of("El salón está lleno de ñandúes", 20),
            (std::vector<std::string>{"El salón está lleno", "de ñandúes"}));
  EXPECT_EQ(windows_of("¿A qué habitación desea ir? Ñandú", 14),
            (std::vector<std::string>{"¿A qué", "habitación", "desea ir?", "Ñandú"}));
}

TEST(BrailleWindows, AWordEndingExactlyAtTheWidthFillsTheWindow) {
  EXPECT_EQ(windows_of("uno dos tres cuatro", 7),
            (std::vector<std::string>{"uno dos", "tres", "cuatro"}));
  EXPECT_EQ(windows_of("uno dos", 7), (std::vector<std::string>{"uno dos"}));
}

TEST(BrailleWindows, AWordLongerThanTheWidthIsCutInside) {
  EXPECT_EQ(windows_of("a electroencefalografista b", 8),
            (std::vector<std::string>{"a", "electroe", "ncefalog", "rafista", "b"}));
}

TEST(BrailleWindows, EveryCharacterIsInExactlyOneWindowAndNoWindowIsWiderThanTheDisplay) {
  const std::string text =
      "Anselmo, el chófer, es su turno de jugar. Sus cartas son: 1. Ataque débil, Piel de "
      "plátano y 2. Defensa fuerte, Olfato canino. ¿A qué habitación desea ir? (pulse el número "
      "correspondiente).1. El salón, 2. La cocina, 3. La biblioteca, 4. El dormitorio, ";
  const std::u32string cells = normalized_text(text);
  for (std::size_t width : {1u, 2u, 12u, 14u, 20u, 40u, 80u}) {
    std::size_t next = 0;
    for (const BrailleWindow& w : cut_windows(cells, width)) {
      ASSERT_GE(w.start, next) << width;
      for (std::size_t i = next; i < w.start; ++i) EXPECT_EQ(cells[i], U' ') << width;
      ASSERT_GE(w.length, 1u);
      ASSERT_LE(w.length, width);
      EXPECT_NE(cells[w.start], U' ');
      EXPECT_NE(cells[w.start + w.length - 1], U' ');
      next = w.start + w.length;
    }
    EXPECT_EQ(next, cells.size()) << width;
  }
}

TEST(BrailleWindows, NothingToShowForBlankTextsOrAnUnknownWidth) {
  EXPECT_TRUE(windows_of("   \r\n ", 40).empty());
  EXPECT_TRUE(windows_of("Hola", 0).empty());
}

TEST(BrailleWindows, ContractedBlankCellsAreWordBoundariesToo) {
  const std::u32string cells = U"⠁⠃⠉⠀⠙⠑⠋";
  EXPECT_EQ(cut_windows(cells, 5), (std::vector<BrailleWindow>{{0, 3}, {4, 3}}));
}

TEST(BrailleText, LineBreaksAndRunsOfSpacesTakeOneCellAndNoneAtTheEnds) {
  EXPECT_EQ(to_utf8(normalized_text(" Indique:  1. Bigotes,\r\n2. Íñigo, ")),
            "Indique: 1. Bigotes, 2. Íñigo,");
}

TEST(BrailleText, InvalidBytesAndControlCharactersNeverReachTheDisplay) {
  EXPECT_EQ(to_utf8(normalized_text("a\xff"
                                    "b\x01"
                                    "c\x7f"
                                    "d")),
            "a\uFFFDbcd");
  // Characters outside the Basic Multilingual Plane survive the round trip.
  EXPECT_EQ(to_utf8(normalized_text("🂡 as")), "🂡 as");
}

}  // namespace
}  // namespace fortuna
