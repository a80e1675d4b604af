#include "model/roster.h"

#include <gtest/gtest.h>

#include "model/game_state.h"

namespace fortuna {

TEST(Roster, FillsTenLivingHeirsAndTheNobodySlot) {
  Roster roster{};
  Random random;
  IniciaPersonajes(roster, random);
  EXPECT_EQ(roster[0].Nombre, "Nadie en especial");
  EXPECT_EQ(roster[0].Numero, 0);
  EXPECT_EQ(roster[0].Vivo, kFalse);
  EXPECT_EQ(roster[1].Nombre, "Bigotes, el gato andalú");
  EXPECT_EQ(roster[10].Nombre, "Mister Felix Vaultman, su banquero de confianza");
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(roster[i].Numero, i);
    EXPECT_EQ(roster[i].Vivo, kTrue);
    EXPECT_EQ(roster[i].Humano, kFalse);
    EXPECT_EQ(roster[i].Sala, 1);
    EXPECT_EQ(roster[i].Carta1, 0);
    EXPECT_EQ(roster[i].Carta2, 0);
    EXPECT_TRUE(roster[i].Agresivo == kTrue || roster[i].Agresivo == kFalse);
  }
  EXPECT_EQ(random.draws(), 10u);
}

TEST(Roster, TempersAreTheSameAtEveryStart) {
  Roster a{}, b{};
  Random ra, rb;
  IniciaPersonajes(a, ra);
  IniciaPersonajes(b, rb);
  int aggressive = 0;
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(a[i].Agresivo, b[i].Agresivo);
    aggressive += a[i].Agresivo != 0;
  }
  EXPECT_GT(aggressive, 0);
  EXPECT_LT(aggressive, 10);
}

TEST(Roster, IntercambiaSwapsTwoValues) {
  std::int16_t a = 3, b = 7;
  Intercambia(a, b);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 3);
}

TEST(Occupants, EntriesAreFoundWithoutMatchingAcrossEntries) {
  std::string room = occupant_entry(10);
  EXPECT_EQ(room, "010; ");
  EXPECT_FALSE(room_holds(room, 1));  // "01;" is not there, "010;" is
  EXPECT_TRUE(room_holds(room, 10));
  room += occupant_entry(3);
  EXPECT_EQ(occupant_count(room), 2);
  EXPECT_EQ(occupant_at(room, 1), 10);
  EXPECT_EQ(occupant_at(room, 2), 3);
  EXPECT_FALSE(room_holds(room, 0));
  EXPECT_EQ(occupant_count(""), 0);
}

}  // namespace fortuna
