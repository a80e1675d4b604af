#include "program/window/text_field.h"

#include <gtest/gtest.h>

namespace fortuna {
namespace {

TEST(TextField, TheFilledInNameIsReplacedByTypingClearedByBackspaceOrKeptByRight) {
  TextField typed("Bigotes, el gato andalú");
  EXPECT_EQ(typed.type("Ñ"), "Ñ");
  EXPECT_EQ(typed.type("andú"), "andú");
  EXPECT_EQ(typed.text(), "Ñandú");
  TextField cleared("Gaspar");
  EXPECT_EQ(cleared.backspace(), "Gaspar");
  EXPECT_EQ(cleared.text(), "");
  TextField kept("Kevin");
  kept.right();
  kept.type(" el rockero");
  EXPECT_EQ(kept.text(), "Kevin el rockero");
}

TEST(TextField, EditsTakeWholeCharactersInPlaceAndSayWhichWent) {
  TextField field("Olga");
  EXPECT_EQ(field.left(), "O") << "left on the selection goes to the start";
  EXPECT_EQ(field.right(), "l");
  field.type("ñ");
  EXPECT_EQ(field.before_caret(), "Oñ");
  EXPECT_EQ(field.erase_forward(), "l");
  EXPECT_EQ(field.backspace(), "ñ");
  EXPECT_EQ(field.home(), "O");
  EXPECT_EQ(field.left(), "O") << "the caret stops at the start";
  EXPECT_EQ(field.backspace(), "") << "nothing before it to delete";
  field.end();
  EXPECT_EQ(field.right(), "") << "and at the end";
  EXPECT_EQ(field.erase_forward(), "");
  // A letter with a combining accent, as some dead keys give it, goes as one.
  field.type("e\xCC\x81");
  EXPECT_EQ(field.backspace(), "e\xCC\x81");
  EXPECT_EQ(field.text(), "Oga");
}

}  // namespace
}  // namespace fortuna
