#include "rules/day.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/hand_built_game.h"

namespace fortuna::testing {
namespace {

using namespace cards;

std::vector<int> offered(const Game& game) {
  return {game.offered_targets.begin(), game.offered_targets.end()};
}

// The room walk, people and computers in turn with the dead left out, is pinned by the golden
// games of five and seven people.
TEST(Day, ACardAnswerAsksForATargetOnlyWhenOneCanBeNamed) {
  const struct {
    CardId card;
    Discard discard;
    Room room;
    CardAnswer answer;
    std::vector<int> targets;
  } cases[] = {
      {kWeak, Discard::No, Room::Kitchen, CardAnswer::TargetNeeded, {0, 1, 3, 5}},
      {kSwap, Discard::No, Room::Kitchen, CardAnswer::TargetNeeded, {0, 1, 3, 5}},
      {kStrongDrawingRoom, Discard::No, Room::DrawingRoom, CardAnswer::TargetNeeded, {3, 5}},
      {kStrongKitchen, Discard::No, Room::Kitchen, CardAnswer::NoTarget, {}},
      {kStrongKitchen, Discard::No, Room::DrawingRoom, CardAnswer::Chosen, {}},  // out of its room
      {kStrongDrawingRoom, Discard::Yes, Room::DrawingRoom, CardAnswer::Chosen, {}},
      {kKeys, Discard::No, Room::DrawingRoom, CardAnswer::Chosen, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "card " << int{c.card});
    HandBuiltGame g;
    for (int c = 6; c < kCharacterCount; ++c) g.dead(c);
    g.dead(4);
    g.place(5, Room::DrawingRoom);
    g.place(3, Room::DrawingRoom);
    g.place(0, Room::Library);
    g.place(1, Room::Bedroom);
    g.place(2, c.room);
    g.who(2).player = Player::Person;
    g.who(2).hand = {kWeakDefence, c.card};
    g.turns({2, 5, 3, 0, 1});
    EXPECT_EQ(choose_current_card(g.game, 1, c.discard), c.answer);
    EXPECT_EQ(g.who(2).chosen_card(), c.card);
    EXPECT_EQ(g.who(2).discard, c.discard == Discard::Yes);
    EXPECT_FALSE(g.who(2).target);
    EXPECT_EQ(g.game.phase == Phase::Target, c.answer == CardAnswer::TargetNeeded);
    if (c.answer == CardAnswer::TargetNeeded) {
      EXPECT_EQ(offered(g.game), c.targets);
    }
  }
}

}  // namespace
}  // namespace fortuna::testing
