#include "rules/night.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/hand_built_game.h"

namespace fortuna::testing {
namespace {

using namespace cards;

struct Play {
  int player;
  CardId card;
  std::optional<int> target = {};
  bool thrown_away = false;
};

// A night with everybody in the drawing room, some already dead, each given play made.
struct Night : HandBuiltGame {
  Night(std::vector<Play> plays, std::vector<int> dead_before = {}, int heir = 0,
        int open_rooms = kRoomCount) {
    for (int c : dead_before) dead(c);
    for (int c = 0; c < kCharacterCount; ++c)
      if (alive(c)) play(c, kWeakDefence2, {}, kWeakDefence);  // harmless unless told otherwise
    for (const Play& p : plays) {
      play(p.player, p.card, p.target, kWeakDefence);
      who(p.player).discard = p.thrown_away;
    }
    game.succession.heir_position = heir;
    game.rooms.open_count = open_rooms;
    report = resolve_night(game);
  }
  std::vector<int> dead_tonight() const {
    std::vector<int> dead;
    for (const Death& death : report.deaths) dead.push_back(death.character);
    return dead;
  }
  NightReport report;
};

TEST(Night, OnlyABalanceBelowZeroKills) {
  // clang-format off
  const struct { std::vector<Play> plays; std::vector<int> dead; } cases[] = {
      {{{1, kStrongDrawingRoom, 2}, {2, kStrongDefence}}, {}},      // -2 + 2 = 0 survives
      {{{1, kStrongDrawingRoom, 2}, {2, kWeakDefence}}, {2}},       // -2 + 1.5
      {{{1, kWeak, 2}, {2, kWeakDefence}}, {}},                     // -1.5 + 1.5
      {{{1, kWeak, 3}, {2, kWeak2, 3}, {3, kStrongDefence}}, {3}},  // -3 + 2
      {{{1, kWeak, 0}, {2, kStrongDrawingRoom, 0}, {3, kWeak2, 0}, {4, kWeak3, 0},
        {5, kStrongDrawingRoom2, 0}, {0, kHideBedroom}}, {}},  // hidden, and rooms are not tested
      {{{1, kWeak, 5}, {5, kWeak2, 1}}, {1, 5}},
      {{{1, kWeak, 3, true}, {2, kWeak2, 3, true}}, {}}};  // thrown away: no effect at all
  // clang-format on
  for (const auto& c : cases) {
    Night night(c.plays);
    EXPECT_EQ(night.dead_tonight(), c.dead);
    for (int dead : c.dead) EXPECT_FALSE(night.alive(dead));
  }
}

TEST(Night, PapersMoveTheHeirAndOnlyTheHeirAliveAfterTheDeathsWinsWithTheKeys) {
  const std::vector<int> all_but_two = {2, 3, 4, 5, 6, 7, 8, 9};
  const struct {
    std::vector<Play> plays;
    std::vector<int> dead_before;
    int heir_before, heir_after;
    std::optional<int> told_heir;  // the heir the papers made, when they moved it
    Ending ending;
  } cases[] = {
      // killed the night he plays the keys; the next living heir who played them too wins
      {{{0, kKeys}, {2, kStrongDrawingRoom, 0}}, {}, 0, 1, {}, Ending::None},
      {{{0, kKeys, {}, true}}, {}, 0, 0, {}, Ending::None},  // keys thrown away
      {{{0, kKeys}, {3, kStrongDrawingRoom, 0}, {2, kKeys}}, {1}, 0, 2, {}, Ending::HeirEscaped},
      // papers move the heir before the keys are tested
      {{{0, kKeys}, {2, kHeirChange}, {1, kKeys}}, {}, 0, 1, 1, Ending::HeirEscaped},
      // two papers move it two living places; a whole turn back to the start is not told
      {{{4, kHeirChange}, {5, kHeirChange2}}, {1}, 0, 3, 3, Ending::None},
      {{{0, kHeirChange}, {1, kHeirChange2}}, all_but_two, 1, 1, {}, Ending::None},
      // the heir dies and nobody is left to inherit
      {{{0, kWeak, 1}, {1, kStrongDrawingRoom, 0}}, all_but_two, 0, 2, {}, Ending::NobodyLeft},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "heir " << c.heir_before << " to " << c.heir_after);
    Night night(c.plays, c.dead_before, c.heir_before);
    EXPECT_EQ(night.game.succession.heir_position, c.heir_after);
    EXPECT_EQ(night.report.heir_by_papers, c.told_heir);
    EXPECT_EQ(night.report.ending, c.ending);
    EXPECT_EQ(night.game.phase == Phase::Over, c.ending != Ending::None);
    EXPECT_TRUE(c.ending != Ending::HeirEscaped || night.game.winner == c.heir_after);
  }
}

TEST(Night, RoomsCloseFromTheLastDownAsTheHouseholdShrinks) {
  const struct {
    int alive, open, kills;
    std::vector<Room> closed;
  } cases[] = {{9, 4, 3, {Room::Bedroom}},
               {7, 4, 4, {Room::Bedroom, Room::Library, Room::Kitchen}},
               {5, 3, 1, {Room::Library}},
               {10, 4, 3, {}}};
  for (const auto& c : cases) {
    std::vector<int> dead;
    for (int d = c.alive; d < kCharacterCount; ++d) dead.push_back(d);
    std::vector<Play> plays;
    for (int k = 0; k < c.kills; ++k) plays.push_back({k, kStrongDrawingRoom, c.alive - 1 - k});
    Night night(plays, dead, 0, c.open);
    EXPECT_EQ(std::vector<Room>(night.report.closed_rooms.begin(), night.report.closed_rooms.end()),
              c.closed);
    EXPECT_EQ(night.report.survivors, c.alive - c.kills);
  }
}

TEST(Night, ADeathNamesWhoeverAimedAtTheVictimTonightAndItsRoom) {
  HandBuiltGame g;
  g.dead(5);
  g.who(5).target = 3;  // aimed at 3 on the night 5 died
  g.place(3, Room::Library);
  g.play(1, kStrongDrawingRoom, 3);
  g.play(2, kSwap, 3);        // a swap aimed at the victim counts too
  g.play(3, kStrongDefence);  // -2 - 1.5 + 2
  g.play(4, kWeak2, 3);
  const NightReport report = resolve_night(g.game);
  ASSERT_EQ(report.deaths.size(), 1);
  const Death& death = report.deaths[0];
  EXPECT_EQ(death.character, 3);
  EXPECT_EQ(death.room, Room::Library);
  EXPECT_EQ(std::vector<CharacterId>(death.attackers.begin(), death.attackers.end()),
            (std::vector<CharacterId>{1, 2, 4}));
}

TEST(Night, SwapExchangesTheKeptCardsAndASwapAtNobodyChangesNothing) {
  HandBuiltGame g;
  g.play(0, kSwap, 1, kStrongDefence);
  g.who(1).hand = {kHideDrawingRoom, kWeakDefence};
  g.who(1).chosen_slot = 1;  // played from slot 1, kept in slot 0
  g.play(2, kSwap2, {}, kWeak);
  resolve_night(g.game);
  EXPECT_EQ(g.who(0).hand[0], kHideDrawingRoom);
  EXPECT_EQ(g.who(1).hand[0], kStrongDefence);
  EXPECT_EQ(g.who(2).hand[0], kWeak);
}

}  // namespace
}  // namespace fortuna::testing
