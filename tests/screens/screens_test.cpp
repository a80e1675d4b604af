// What the golden transcripts cannot show: several voices, and bytes that are not UTF-8.
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

}  // namespace
}  // namespace fortuna::testing
