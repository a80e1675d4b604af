// What the golden transcripts cannot show: the history's limits and what it leaves alone,
// several voices, and bytes that are not UTF-8.
#include <gtest/gtest.h>

#include "rules/invariants.h"
#include "screens/history.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

using Step = MessageHistory::Step;

std::string said(MessageHistory& history, Step step) {
  const auto entry = history.step(step);
  return entry.text ? history_entry_text(*entry.text, entry.place) : "(nothing)";
}

TEST(History, WalksBackFromTheNewestNamesItsEndsAndKeepsTheLast200) {
  MessageHistory history;
  EXPECT_EQ(said(history, Step::Older), "(nothing)");
  history.add("uno");
  EXPECT_EQ(said(history, Step::Older), "Único mensaje: uno");
  // The walks and their ends are pinned by tests/golden/help_and_history.
  history.add("dos");
  EXPECT_EQ(said(history, Step::Oldest), "Primer mensaje: uno");
  history.add("tres");  // a new text: the next step back starts from it
  EXPECT_EQ(said(history, Step::Older), "Último mensaje: tres");
  for (int i = 0; i < 250; ++i) history.add(std::to_string(i));
  EXPECT_EQ(history.size(), 200u);
  EXPECT_EQ(said(history, Step::Oldest), "Primer mensaje: 50");
  EXPECT_EQ(said(history, Step::Newest), "Último mensaje: 249");
}

TEST(History, WalkingItChangesNothingInTheGameAndOutlivesANewGame) {
  TestProgram t;
  t.key(keys::kEnter);
  for (int k = 0; k < 300 && t.game().phase != Phase::Over; ++k) t.key(keys::kSpace);
  ASSERT_EQ(t.game().phase, Phase::Over);
  t.key(keys::k1);
  const Game before = t.game();
  const std::string last = t.program.speech().last_text();
  const auto kept = t.program.game_screen().history().size();
  for (int code : {keys::kPageUp, keys::kPageUp, keys::kHome, keys::kPageDown, keys::kEnd})
    t.key(code);
  EXPECT_EQ(t.log.last().rfind("Último mensaje: Los actuales aspirantes", 0), 0u) << t.log.last();
  EXPECT_EQ(t.program.game_screen().history().size(), kept) << "steps are not kept themselves";
  EXPECT_GT(kept, 20u) << "the game before the new one is kept too";
  EXPECT_EQ(t.program.speech().last_text(), last);
  EXPECT_EQ(t.game().pile.positions(), before.pile.positions());
  EXPECT_EQ(t.game().phase, before.phase);
}

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
