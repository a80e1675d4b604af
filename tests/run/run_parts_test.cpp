// The program's small parts: key names and scripts, the terminal's echo and the progress line.
#include <gtest/gtest.h>

#include "frontends/terminal/line_editor.h"
#include "run/key_names.h"
#include "run/key_script.h"
#include "tools/simulate/progress_bar.h"

namespace fortuna::testing {
namespace {

// The golden scripts and the window and terminal tests read back every canonical name.
TEST(KeyNames, AnyCaseIsReadAndWhatIsNoKeyIsRefused) {
  EXPECT_EQ(parse_key_name("shift+ctrl+alt+f8"), (Key{119, Modifiers::from_bits(7)}));
  EXPECT_EQ(parse_key_name("z"), (Key{90, {}}));
  for (const char* bad : {"", "F0", "F13", "F01", "Ctrl+", "Shfit+A", "Alt+Ctrl+1", "AB", "ñ",
                          "Ctrl+Ctrl+1", "Numpad1", "+"})
    EXPECT_FALSE(parse_key_name(bad)) << bad;
  EXPECT_EQ(key_name({96, {}}), "Code96");
}

TEST(KeyScript, SkipsCommentsAndBlankLinesKeepsAnswersExactlyAndNamesABadLine) {
  EXPECT_FALSE(parse_script_line("", 1).line);
  EXPECT_FALSE(parse_script_line("   # a comment", 2).line);
  auto text = parse_script_line("text:  Doña  Ñ ", 3).line;
  ASSERT_TRUE(text);
  EXPECT_EQ(text->kind, ScriptLine::Kind::Text);
  EXPECT_EQ(text->text, " Doña  Ñ ");
  EXPECT_EQ(parse_script_line("cancel", 5).line->kind, ScriptLine::Kind::Cancel);
  auto key = parse_script_line("  Ctrl+2\r", 6).line;
  ASSERT_TRUE(key);
  EXPECT_EQ(key->key, (Key{50, Modifiers::from_bits(2)}));
  EXPECT_EQ(key->number, 6);
  auto bad = parse_script_line("Spcae", 7);
  EXPECT_FALSE(bad.line);
  EXPECT_EQ(bad.error, "line 7: unknown key name \"Spcae\"");
}

TEST(KeyScript, AKeyMayComeFromASeatNumberedAsOnTheStartScreen) {
  const auto seated = parse_script_line(" 10:Ctrl+2", 1).line;
  ASSERT_TRUE(seated);
  EXPECT_EQ(seated->seat, CharacterId{9});
  EXPECT_EQ(seated->key, (Key{50, Modifiers::from_bits(2)}));
  EXPECT_FALSE(parse_script_line("Space", 2).line->seat);
  for (const char* bad : {"0: Space", "11: Space", "x: Space", ": Space", "3: ", "3: text: hola"})
    EXPECT_FALSE(parse_script_line(bad, 3).line) << bad;
  EXPECT_EQ(parse_script_line("12: Space", 4).error,
            "line 4: \"12\" is no seat: a seat is 1 to 10");
}

TEST(LineEditor, EachEditEchoesWhatChangedOrWhereTheCursorIs) {
  const struct {
    const char* before;
    std::size_t before_point;
    const char* after;
    std::size_t after_point;
    const char* echo;
  } cases[] = {
      {"Pep", 3, "Pepe", 4, "e"},               // typed at the end
      {"Pepe", 4, "Pep", 3, "e"},               // Backspace
      {"Pepe", 0, "epe", 0, "P"},               // Delete at the start
      {"Pepe", 4, "", 0, "Pepe"},               // Control+U
      {"Doña Ñandú", 10, "Doña ", 5, "Ñandú"},  // Control+W, accents whole
      {"a\xc3\xb1"
       "b",
       4,
       "a\xc3\xa9\xc3\xb1"
       "b",
       3, "\xc3\xa9"},                               // é before ñ: shared first byte
      {"a\xc3\xb1", 3, "a\xc3\xa9", 3, "\xc3\xa9"},  // ñ replaced by é
      {"aaa", 1, "aa", 1, "a"},                      // a repeated letter
      {"Doña", 4, "Doña", 2, "\xc3\xb1"},            // a move: the character after the cursor
      {"Doña", 2, "Doña", 5, ""},                    // to the end: nothing
      {"Doña", 2, "Doña", 2, ""},                    // nothing changed
      {"ab", 1, "a b", 2, " "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(edit_echo(c.before, c.before_point, c.after, c.after_point), c.echo)
        << c.before << " -> " << c.after;
}

TEST(ProgressBar, GamesRateAndTimeLeftWithinTheWidth) {
  const struct {
    std::uint64_t done, total;
    double seconds;
    int width;
    std::string bar, text;
  } cases[] = {
      {250'000, 1'000'000, 10, 100, "[" + std::string(7, '#') + std::string(21, '.') + "]",
       " 25,0 % 250.000 de 1.000.000 partidas, 25.000 por segundo, quedan 30 s"},
      {1, 1'000'000'000, 1, 120, "[" + std::string(40, '.') + "]",
       " 0,0 % 1 de 1.000.000.000 partidas, 1 por segundo, quedan 277777 h 46 min"},
      // No room for ten cells: the text alone, cut to the width.
      {5, 10, 1, 20, "", "50,0 % 5 de 10 parti"},
  };
  for (const auto& c : cases) {
    const std::string line = progress_line(c.done, c.total, c.seconds, c.width);
    EXPECT_EQ(line, c.bar + c.text);
    EXPECT_LE(line.size(), static_cast<std::size_t>(c.width));
  }
}

}  // namespace
}  // namespace fortuna::testing
