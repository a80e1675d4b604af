#include <gtest/gtest.h>

#include <algorithm>

#include "game/hand_built_game.h"

namespace fortuna::testing {
namespace {

const std::string kClosing = "salas asignadas. Pulse espacio  para continuar ";

class RoomPhase : public ::testing::Test, public HandBuiltGame {
 protected:
  std::string prompt_for(int c, const std::string& rooms) {
    return name(c) + ", es su turno de jugar. Sus cartas son: 1. " + w.NombreCarta(who(c).Carta1) +
           " y 2. " + w.NombreCarta(who(c).Carta2) +
           ". ¿A qué habitación desea ir? (pulse el número correspondiente)." + rooms;
  }
};

}  // namespace

TEST_F(RoomPhase, AllComputerCharactersArePlacedSilentlyEachInOneRoom) {
  plain_hands();
  w.AsignaSalas(kTrue);
  EXPECT_EQ(t.log.texts(), std::vector<std::string>{kClosing});
  EXPECT_EQ(w.TurnoActual, 10);
  for (int c = 1; c <= 10; ++c) EXPECT_TRUE(room_holds(w.Ocupantes[who(c).Sala], c)) << c;
  EXPECT_EQ(t.platform.labels.size(), 1u);
}

TEST_F(RoomPhase, TurnOrderHoldsTheLivingOnlyAfterTwoHundredDraws) {
  for (int c = 1; c <= 10; ++c) {  // every room decided
    const auto hiding = card(4, 1 + c % 4);
    hand(c, hiding, card(8));
  }
  only_alive({1, 2, 3, 5, 6, 8, 10});
  const auto draws_before = t.program.random.draws();
  w.AsignaSalas(kTrue);
  EXPECT_EQ(t.program.random.draws() - draws_before, 200u);
  std::vector<std::int16_t> sorted(w.OrdenTurno.begin() + 1, w.OrdenTurno.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::int16_t>{1, 2, 3, 5, 6, 8, 10}));
  for (int c : sorted) EXPECT_EQ(who(c).Sala, 1 + c % 4);

  only_alive({4, 9});  // 200 exchanges of the only pair leave it as it was
  w.AsignaSalas(kTrue);
  EXPECT_EQ(w.OrdenTurno, (std::vector<std::int16_t>{0, 4, 9}));
}

TEST_F(RoomPhase, TwoPeopleAnswerInTurnThenARoomKeyBeepsAndChangesNothing) {
  plain_hands();
  only_alive({3, 7});
  who(3).Humano = who(7).Humano = kTrue;
  open_rooms(2);
  w.AsignaSalas(kTrue);
  EXPECT_EQ(t.log.last(), prompt_for(3, "1. El salón, 2. La cocina, "));
  w.room_key(2);
  EXPECT_EQ(t.log.last(), prompt_for(7, "1. El salón, 2. La cocina, "));
  w.room_key(2);
  // Rooms in number order; closed rooms keep their heading with an empty line.
  EXPECT_EQ(t.platform.labels,
            std::vector<std::string>{"El salón\r\n\r\nLa cocina\r\n" + name(3) + "; " + name(7) +
                                     "; \r\nLa biblioteca\r\n\r\nEl "
                                     "dormitorio\r\n\r\n"});
  const auto spoken = t.log.entries.size();
  w.room_key(1);  // the phase has closed on character 7
  EXPECT_EQ(t.platform.beeps, 1);
  EXPECT_EQ(w.Ocupantes[1], "");
  EXPECT_EQ(w.Ocupantes[2], "03; 07; ");
  EXPECT_EQ(who(7).Sala, 2);
  EXPECT_EQ(t.log.entries.size(), spoken);
}

TEST_F(RoomPhase, TheComputerPutsItsHandInOrderAndAPersonsHandIsLeftAlone) {
  only_alive({3, 7});
  const auto low = card(1, 1), high = card(4, 2);
  const auto low2 = card(6), high2 = card(8);
  hand(3, high, low);
  hand(7, high2, low2);
  who(7).Humano = kTrue;
  w.Heredero = 3;  // character 3 is the heir and holds the keys
  w.AsignaSalas(kTrue);
  if (w.current_character() == 7) w.room_key(2);
  EXPECT_EQ(std::make_pair(who(3).Carta1, who(3).Carta2), std::make_pair(low, high));
  EXPECT_EQ(who(3).Sala, 1);  // the heir with the keys goes to El salón
  EXPECT_EQ(std::make_pair(who(7).Carta1, who(7).Carta2), std::make_pair(high2, low2));
}

TEST_F(RoomPhase, APersonIsAskedWithEveryOpenRoomAndTheComputersAfterAreServedBeforeTheNext) {
  plain_hands();
  who(1).Humano = who(10).Humano = kTrue;
  w.AsignaSalas(kTrue);
  EXPECT_EQ(t.log.last(),
            prompt_for(w.current_character(),
                       "1. El salón, 2. La cocina, 3. La biblioteca, 4. El dormitorio, "));
  EXPECT_TRUE(t.platform.labels.empty());
  while (t.platform.labels.empty()) {
    ASSERT_TRUE(who(w.current_character()).Humano != 0);
    // Everyone before the person has a room; nobody after does.
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(who(w.OrdenTurno[i]).Sala == -1, i >= w.TurnoActual);
    w.room_key(2);
  }
  EXPECT_EQ(t.log.entries.size(), 3u);
}

}  // namespace fortuna::testing
