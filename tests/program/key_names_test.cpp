#include "program/key_names.h"

#include <gtest/gtest.h>

#include "program/key_script.h"

namespace fortuna {

TEST(KeyNames, ParsesEveryNameAndModifierOrder) {
  // clang-format off
  const struct { const char* text; int code, modifiers; } cases[] = {
      {"Enter", 13, 0}, {"Escape", 27, 0}, {"Control", 17, 0}, {"0", 48, 0}, {"z", 90, 0},
      {"F12", 123, 0}, {"Shift+F7", 118, 1}, {"Shift+Ctrl+Alt+F8", 119, 7}, {"ctrl+control", 17, 2},
      {"space", 32, 0}};
  // clang-format on
  for (const auto& c : cases) {
    auto key = parse_key_name(c.text);
    ASSERT_TRUE(key) << c.text;
    EXPECT_EQ(*key, (Key{c.code, Modifiers::from_bits(c.modifiers)})) << c.text;
  }
  for (const char* bad : {"", "F0", "F13", "F01", "Ctrl+", "Shfit+A", "Alt+Ctrl+1", "AB", "ñ",
                          "Ctrl+Ctrl+1", "Numpad1", "+"})
    EXPECT_FALSE(parse_key_name(bad)) << bad;
  // Canonical names come back as they went; the transcripts write every key so.
  for (const char* name : {"Ctrl+1", "Shift+F7", "Alt+F4", "Control", "Space", "Shift+Ctrl+Alt+H"})
    EXPECT_EQ(key_name(parse_key_name(name).value()), name);
  EXPECT_EQ(key_name({96, {}}), "Code96");
}

TEST(KeyScript, SkipsCommentsAndBlankLinesKeepsAnswersExactlyAndNamesABadLine) {
  EXPECT_FALSE(parse_script_line("", 1).line);
  EXPECT_FALSE(parse_script_line("   # a comment", 2).line);
  auto text = parse_script_line("text:  Doña  Ñ ", 3).line;
  ASSERT_TRUE(text);
  EXPECT_EQ(text->kind, ScriptLine::Kind::Text);
  EXPECT_EQ(text->text, " Doña  Ñ ");
  EXPECT_EQ(parse_script_line("text: ", 4).line->text, "");
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
