#include "model/roster.h"

#include <gtest/gtest.h>

#include "model/game_state.h"

namespace fortuna {

TEST(Roster, FillsTenLivingHeirsWithTheSameTempersAtEveryStart) {
  Roster roster{};
  Random random;
  IniciaPersonajes(roster, random);
  EXPECT_EQ(roster[0].Nombre, "Nadie en especial");
  EXPECT_EQ(roster[0].Vivo, kFalse);
  EXPECT_EQ(roster[1].Nombre, "Bigotes, el gato andalú");
  EXPECT_EQ(roster[10].Nombre, "Mister Felix Vaultman, su banquero de confianza");
  const bool aggressive[] = {false, false, false, true, true, false, true, true, true, false};
  for (int i = 1; i <= kCharacters; ++i) {
    const Personaje& p = roster[static_cast<std::size_t>(i)];
    EXPECT_EQ(p.Numero, i);
    EXPECT_EQ(p.Vivo, kTrue);
    EXPECT_EQ(p.Humano, kFalse);
    EXPECT_EQ(p.Sala, 1);
    EXPECT_EQ(p.Agresivo, to_bool16(aggressive[i - 1])) << i;
  }
  EXPECT_EQ(random.draws(), 10u);
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
