#include "game/computer_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "model/game_state.h"

namespace fortuna {
namespace {

OpenRooms rooms_open(int n) {
  OpenRooms open{};
  for (int i = 1; i <= n; ++i) open[i] = kTrue;
  return open;
}

// A seed whose first draw falls below one half (or at or above it).
std::uint64_t seed_with_first_draw(bool below_half) {
  for (std::uint64_t s = 1;; ++s) {
    Random probe(s);
    if ((probe.x() < 0.5) == below_half) return s;
  }
}

// A card as 10 x its kind + its room, 0 for any room: 11 the keys, 43 a hiding place in room 3.
CardView view(int code) {
  return {code / 10, code % 10 == 0 ? -1 : code % 10};
}

// The room a rule must give, with no draw; or, when undecided, the random open room.
struct RoomCase {
  int card1, card2;
  bool agresivo, heredero;
  int open;      // rooms 1..open are open
  int expected;  // 0: a random open room
};

TEST(ComputerRoom, EveryRowOfThePairTable) {
  // Keys: the heir goes to El salón whatever the other card; others follow card 2. Change of
  // heir and card swap: card 2's room if open. Hiding place and strong attack: the attack's room
  // only when aggressive and open. Hiding place with a weak attack or a defence: the hiding
  // place. Strong attack with a weak attack or weak defence: the attack's room; with a strong
  // defence, only for the aggressive. Two cards of one kind: card 1's room. The rest: undecided.
  const RoomCase cases[] = {
      {11, 43, 0, 1, 4, 1}, {11, 52, 1, 1, 1, 1}, {11, 43, 1, 0, 4, 3}, {11, 54, 0, 0, 3, 0},
      {11, 20, 0, 0, 4, 0}, {11, 80, 1, 0, 4, 0}, {20, 44, 0, 1, 4, 4}, {20, 52, 0, 0, 4, 2},
      {20, 53, 0, 0, 2, 0}, {20, 30, 0, 0, 4, 0}, {20, 80, 1, 1, 4, 0}, {30, 42, 0, 0, 4, 2},
      {30, 53, 1, 0, 4, 3}, {30, 70, 1, 0, 4, 0}, {30, 54, 0, 0, 3, 0}, {42, 53, 1, 0, 4, 3},
      {42, 53, 0, 0, 4, 2}, {42, 54, 1, 0, 3, 2}, {43, 54, 0, 0, 2, 0}, {43, 60, 1, 0, 4, 3},
      {44, 70, 0, 0, 4, 4}, {44, 80, 0, 0, 3, 0}, {52, 60, 0, 0, 4, 2}, {54, 80, 0, 0, 4, 4},
      {54, 80, 1, 0, 2, 0}, {53, 70, 1, 0, 4, 3}, {53, 70, 0, 0, 4, 0}, {53, 70, 1, 0, 2, 0},
      {60, 70, 1, 1, 4, 0}, {60, 80, 1, 0, 4, 0}, {70, 80, 0, 1, 4, 0}, {42, 44, 0, 0, 4, 2},
      {54, 54, 1, 0, 3, 0}, {80, 80, 1, 0, 4, 0}};
  for (const RoomCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "cards " << c.card1 << " " << c.card2 << " agresivo " << c.agresivo << " heir "
                 << c.heredero << " open " << c.open);
    const OpenRooms open = rooms_open(c.open);
    Random random(77);
    Random replay(77);
    const int room =
        computer_room(view(c.card1), view(c.card2), c.agresivo, c.heredero, open, random);
    if (c.expected != 0) {
      EXPECT_EQ(room, c.expected);
      EXPECT_EQ(random.draws(), 0u);
    } else {
      EXPECT_EQ(room, random_open_room(open, replay));
      EXPECT_EQ(random.draws(), replay.draws());
      EXPECT_GE(random.draws(), 1u);
    }
  }
}

TEST(ComputerRoom, RandomOpenRoomRedrawsUntilTheRoomIsOpen) {
  const OpenRooms only_salon = rooms_open(1);
  std::map<int, int> seen;
  Random random(5);
  for (int i = 0; i < 200; ++i) ++seen[random_open_room(only_salon, random)];
  EXPECT_EQ(seen[1], 200);
  EXPECT_GT(random.draws(), 400u);  // three rooms in four are closed

  const OpenRooms two = rooms_open(2);
  seen.clear();
  for (int i = 0; i < 400; ++i) ++seen[random_open_room(two, random)];
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_GT(seen[1], 150);
  EXPECT_GT(seen[2], 150);
}

// One row of the card table: the slot played, 0 for a fair draw of 1 or 2.
struct CardRow {
  int k1, k2;
  int plain, agresivo, heir, heir_agresivo;
};

TEST(ComputerCard, EveryRowOfThePairTableWithAndWithoutTemperAndHeir) {
  std::vector<CardRow> rows = {{2, 3, 0, 0, 2, 2}, {2, 4, 2, 2, 2, 2}, {2, 5, 2, 2, 2, 2},
                               {2, 6, 1, 1, 2, 2}, {2, 7, 2, 2, 2, 2}, {2, 8, 1, 1, 2, 2},
                               {3, 4, 2, 2, 2, 2}, {3, 5, 2, 2, 2, 2}, {3, 6, 0, 0, 0, 0},
                               {3, 7, 2, 2, 2, 2}, {3, 8, 0, 0, 0, 0}, {4, 5, 1, 2, 1, 2},
                               {4, 6, 1, 1, 1, 1}, {4, 7, 1, 1, 1, 1}, {4, 8, 1, 1, 1, 1},
                               {5, 6, 1, 1, 1, 1}, {5, 7, 2, 1, 2, 1}, {5, 8, 1, 1, 1, 1},
                               {6, 7, 2, 2, 2, 2}, {6, 8, 2, 1, 2, 1}, {7, 8, 1, 1, 1, 1}};
  for (int k = 1; k <= 8; ++k) rows.push_back({k, k, 1, 1, 1, 1});
  for (int k2 = 2; k2 <= 8; ++k2) rows.push_back({1, k2, 2, 2, 1, 1});

  const std::uint64_t low = seed_with_first_draw(true);
  const std::uint64_t high = seed_with_first_draw(false);
  for (const CardRow& row : rows) {
    const int expected[4] = {row.plain, row.agresivo, row.heir, row.heir_agresivo};
    for (int flags = 0; flags < 4; ++flags) {
      const bool agresivo = (flags & 1) != 0, heredero = (flags & 2) != 0;
      SCOPED_TRACE(::testing::Message() << "pair " << CodigoPareja(row.k1, row.k2) << " agresivo "
                                        << agresivo << " heir " << heredero);
      if (expected[flags] != 0) {
        Random random(low);
        EXPECT_EQ(computer_card(row.k1, row.k2, agresivo, heredero, random), expected[flags]);
        EXPECT_EQ(random.draws(), 0u);
      } else {
        Random below(low), above(high);
        EXPECT_EQ(computer_card(row.k1, row.k2, agresivo, heredero, below), 1);
        EXPECT_EQ(computer_card(row.k1, row.k2, agresivo, heredero, above), 2);
        EXPECT_EQ(below.draws(), 1u);
        EXPECT_EQ(above.draws(), 1u);
      }
    }
  }
}

TEST(StrongAttackTarget, EachOtherEntryOfTheRoomIsEquallyLikelyAndAloneMeansNobody) {
  // Arrival order and numbers mixed so that a draw biased by either shows.
  const std::string room = occupant_entry(7) + occupant_entry(3) + occupant_entry(10) +
                           occupant_entry(1) + occupant_entry(5);
  Random random(2024);
  std::map<int, int> hits;
  constexpr int kTrials = 40000;
  for (int i = 0; i < kTrials; ++i) ++hits[strong_attack_target(room, 3, random)];
  EXPECT_EQ(hits.count(3), 0u);
  ASSERT_EQ(hits.size(), 4u);
  for (int target : {7, 10, 1, 5}) {
    // Expected 10000 each; the standard deviation is about 87.
    EXPECT_NEAR(hits[target], kTrials / 4, 450) << "target " << target;
  }
  // Each pick is one draw over five entries; the attacker's own entry is drawn again.
  EXPECT_NEAR(static_cast<double>(random.draws()) / kTrials, 1.25, 0.02);

  Random alone(3);
  EXPECT_EQ(strong_attack_target(occupant_entry(4), 4, alone), 0);
  EXPECT_EQ(strong_attack_target("", 4, alone), 0);
  EXPECT_EQ(alone.draws(), 0u);
}

TEST(AnywhereTarget, AnyOtherLivingCharacterEquallyAndNobodyWithoutDrawingWhenAlone) {
  Roster roster{};
  for (int c = 1; c <= kCharacters; ++c) roster[static_cast<std::size_t>(c)].Vivo = kTrue;
  roster[2].Vivo = roster[9].Vivo = kFalse;
  Random random(11);
  std::map<int, int> hits;
  for (int i = 0; i < 7000; ++i) ++hits[anywhere_target(roster, 4, random)];
  EXPECT_EQ(hits.size(), 7u);
  for (int dead_or_self : {2, 4, 9}) EXPECT_EQ(hits.count(dead_or_self), 0u);
  for (const auto& [target, n] : hits) EXPECT_NEAR(n, 1000, 150) << "target " << target;

  Roster alone{};
  alone[6].Vivo = kTrue;
  Random none(1);
  EXPECT_EQ(anywhere_target(alone, 6, none), 0);
  EXPECT_EQ(none.draws(), 0u);
}

}  // namespace
}  // namespace fortuna
