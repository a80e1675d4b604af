#include "rules/computer.h"

#include <gtest/gtest.h>

#include <vector>

namespace fortuna {
namespace {

Rooms rooms_open(int n) {
  Rooms rooms;
  rooms.open_count = n;
  return rooms;
}

// A seed whose first draw falls below one half (or at or above it).
std::uint64_t seed_with_first_draw(bool below_half) {
  for (std::uint64_t s = 1;; ++s) {
    Random probe(s);
    if ((probe.x() < 0.5) == below_half) return s;
  }
}

// Cards written as 10 x kind + room, kinds and rooms counted from 1 and room 0 for any room:
// 11 the keys, 43 a hiding place in the library.
Card card_of(int code) {
  const auto kind = static_cast<CardKind>(code / 10 - 1);
  const std::optional<Room> room =
      code % 10 == 0 ? std::nullopt : std::optional<Room>(room_at(code % 10 - 1));
  return {kind, room, false, ""};
}

TEST(ComputerRoom, EveryRowOfThePairTable) {
  // Keys: the heir goes to the drawing room whatever the other card; others follow the second
  // card. Change of heir and card swap: the second card's room if open. Hiding place and strong
  // attack: the attack's room only when aggressive and open. Hiding place with a weak attack or a
  // defence: the hiding place. Strong attack with a weak attack or weak defence: the attack's
  // room; with a strong defence, only for the aggressive. Two cards of one kind: the first card's
  // room. The rest: a random open room (0 below).
  const struct {
    int first, second;
    bool aggressive, heir;
    int open, expected;
  } cases[] = {
      {11, 43, 0, 1, 4, 1}, {11, 52, 1, 1, 1, 1}, {11, 43, 1, 0, 4, 3}, {11, 54, 0, 0, 3, 0},
      {11, 20, 0, 0, 4, 0}, {11, 80, 1, 0, 4, 0}, {20, 44, 0, 1, 4, 4}, {20, 52, 0, 0, 4, 2},
      {20, 53, 0, 0, 2, 0}, {20, 30, 0, 0, 4, 0}, {20, 80, 1, 1, 4, 0}, {30, 42, 0, 0, 4, 2},
      {30, 53, 1, 0, 4, 3}, {30, 70, 1, 0, 4, 0}, {30, 54, 0, 0, 3, 0}, {42, 53, 1, 0, 4, 3},
      {42, 53, 0, 0, 4, 2}, {42, 54, 1, 0, 3, 2}, {43, 54, 0, 0, 2, 0}, {43, 60, 1, 0, 4, 3},
      {44, 70, 0, 0, 4, 4}, {44, 80, 0, 0, 3, 0}, {52, 60, 0, 0, 4, 2}, {54, 80, 0, 0, 4, 4},
      {54, 80, 1, 0, 2, 0}, {53, 70, 1, 0, 4, 3}, {53, 70, 0, 0, 4, 0}, {53, 70, 1, 0, 2, 0},
      {60, 70, 1, 1, 4, 0}, {60, 80, 1, 0, 4, 0}, {70, 80, 0, 1, 4, 0}, {42, 44, 0, 0, 4, 2},
      {54, 54, 1, 0, 3, 0}, {80, 80, 1, 0, 4, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "cards " << c.first << " " << c.second << " aggressive "
                                      << c.aggressive << " heir " << c.heir << " open " << c.open);
    const Rooms open = rooms_open(c.open);
    Random random(77), replay(77);
    const Room room = computer_room(card_of(c.first), card_of(c.second),
                                    c.aggressive ? Temper::Aggressive : Temper::Calm,
                                    c.heir ? Heir::Yes : Heir::No, open, random);
    if (c.expected != 0) {
      EXPECT_EQ(index_of(room), c.expected - 1);
      EXPECT_EQ(random.draws(), 0u);
    } else {
      EXPECT_EQ(room, random_open_room(open, replay));
      EXPECT_EQ(random.draws(), replay.draws());
    }
  }
}

TEST(ComputerCard, EveryRowOfThePairTableWithAndWithoutTemperAndHeir) {
  // The slot played (1 or 2; 0 for a fair draw of either) when calm, aggressive, calm heir,
  // aggressive heir; kinds counted from 1 as on the card table.
  struct Row {
    int first, second, calm, aggressive, heir, aggressive_heir;
  };
  std::vector<Row> rows = {{2, 3, 0, 0, 2, 2}, {2, 4, 2, 2, 2, 2}, {2, 5, 2, 2, 2, 2},
                           {2, 6, 1, 1, 2, 2}, {2, 7, 2, 2, 2, 2}, {2, 8, 1, 1, 2, 2},
                           {3, 4, 2, 2, 2, 2}, {3, 5, 2, 2, 2, 2}, {3, 6, 0, 0, 0, 0},
                           {3, 7, 2, 2, 2, 2}, {3, 8, 0, 0, 0, 0}, {4, 5, 1, 2, 1, 2},
                           {4, 6, 1, 1, 1, 1}, {4, 7, 1, 1, 1, 1}, {4, 8, 1, 1, 1, 1},
                           {5, 6, 1, 1, 1, 1}, {5, 7, 2, 1, 2, 1}, {5, 8, 1, 1, 1, 1},
                           {6, 7, 2, 2, 2, 2}, {6, 8, 2, 1, 2, 1}, {7, 8, 1, 1, 1, 1}};
  for (int k = 1; k <= 8; ++k) rows.push_back({k, k, 1, 1, 1, 1});
  for (int k = 2; k <= 8; ++k) rows.push_back({1, k, 2, 2, 1, 1});

  const std::uint64_t low = seed_with_first_draw(true), high = seed_with_first_draw(false);
  for (const Row& row : rows) {
    const int expected[4] = {row.calm, row.aggressive, row.heir, row.aggressive_heir};
    const auto first = static_cast<CardKind>(row.first - 1);
    const auto second = static_cast<CardKind>(row.second - 1);
    for (int flags = 0; flags < 4; ++flags) {
      const Temper temper = (flags & 1) != 0 ? Temper::Aggressive : Temper::Calm;
      const Heir heir = (flags & 2) != 0 ? Heir::Yes : Heir::No;
      SCOPED_TRACE(::testing::Message()
                   << "kinds " << row.first << row.second << " case " << flags);
      Random below(low), above(high);
      const int slot = computer_card(first, second, temper, heir, below);
      if (expected[flags] != 0) {
        EXPECT_EQ(slot, expected[flags] - 1);
        EXPECT_EQ(below.draws(), 0u);
      } else {
        EXPECT_EQ(slot, 0);
        EXPECT_EQ(computer_card(first, second, temper, heir, above), 1);
        EXPECT_EQ(below.draws(), 1u);
      }
    }
  }
}

}  // namespace
}  // namespace fortuna
