#include "program/key_names.h"

#include <gtest/gtest.h>

#include "program/key_script.h"

namespace fortuna {

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

}  // namespace fortuna
