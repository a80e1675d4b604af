#include <gtest/gtest.h>

#include "support/test_program.h"

namespace fortuna::testing {

TEST(Program, EnterShowsTheMainWindowThenClosesTheStartWindow) {
  TestProgram t;
  t.start();
  EXPECT_TRUE(t.program.is_open(WindowId::Start));
  t.key(13);
  EXPECT_TRUE(t.program.is_open(WindowId::Main));
  EXPECT_FALSE(t.program.is_open(WindowId::Start));
  ASSERT_EQ(t.platform.shown.size(), 2u);
  EXPECT_EQ(t.platform.shown[1], WindowId::Main);
  ASSERT_EQ(t.platform.closed.size(), 1u);
  EXPECT_EQ(t.platform.closed[0], WindowId::Start);
  EXPECT_FALSE(t.program.ended());
}

TEST(Program, EscapeOnTheStartScreenEndsTheProgram) {
  TestProgram t;
  t.start();
  t.key(27);
  EXPECT_TRUE(t.program.ended());
  t.key(13);  // keys after the end reach nobody
  EXPECT_FALSE(t.program.is_open(WindowId::Main));
}

}  // namespace fortuna::testing
