#include "program/terminal/line_editor.h"

#include <gtest/gtest.h>

namespace fortuna::testing {

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

}  // namespace fortuna::testing
