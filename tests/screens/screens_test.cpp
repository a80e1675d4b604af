// What the golden transcripts cannot show: several voices, and the windows' lifecycle.
#include <gtest/gtest.h>

#include "support/test_program.h"

namespace fortuna::testing {
namespace {

TEST(Screens, VoiceKeysWrapAroundTheVoicesAndEachVoiceSaysItsOwnName) {
  TestProgram t;
  const std::pair<int, std::string> steps[] = {{keys::kF9, "Voz tres"},
                                               {keys::kF9, "Voz dos"},
                                               {keys::kF10, "Voz tres"},
                                               {keys::kF10, "Voz uno"},
                                               {keys::kF10, "Voz dos"}};
  for (const auto& [code, voice] : steps) {
    t.key(code);
    EXPECT_EQ(t.log.last(), voice);
    EXPECT_EQ(t.engine.current_voice(), t.program.speech().current_voice());
  }
  t.key(keys::kEnter);  // a new game: a fresh default voice, the chosen place kept
  EXPECT_EQ(t.engine.current_voice(), 0);
  t.key(keys::kF10);
  EXPECT_EQ(t.log.last(), "Voz tres");
}

TEST(Screens, ARenameAnswerIsKeptAsValidUtf8AndAnEmptyAnswerCancels) {
  TestProgram t;
  t.platform.answers = {"Ana\xc3", ""};
  t.key(keys::kF2);
  EXPECT_EQ(t.program.start_screen().roster()[0].name, "Ana\xEF\xBF\xBD");
  t.key(keys::kF2);
  EXPECT_EQ(t.program.start_screen().roster()[0].name, "Ana\xEF\xBF\xBD");
  EXPECT_EQ(t.log.last(), "Cancelado");
}

TEST(Screens, AltF4ClosesTheWindowThatHasTheKeysAndTheLastOneEndsTheProgram) {
  TestProgram start;
  start.key(keys::kF4, {false, false, true});
  EXPECT_TRUE(start.program.ended());

  TestProgram game;
  game.key(keys::kEnter);
  EXPECT_EQ(game.platform.closed, std::vector<WindowId>{WindowId::Start});
  game.key(keys::kF4);  // without Alt: nothing
  EXPECT_FALSE(game.program.ended());
  game.key(keys::kF4, {false, false, true});
  EXPECT_EQ(game.platform.closed, (std::vector<WindowId>{WindowId::Start, WindowId::Main}));
  EXPECT_TRUE(game.program.ended());
}

}  // namespace
}  // namespace fortuna::testing
