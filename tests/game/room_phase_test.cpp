#include <gtest/gtest.h>

#include <algorithm>

#include "day_fixture.h"

namespace fortuna::testing {
namespace {

class RoomPhase : public DayFixture {
 protected:
  std::string prompt_for(int c, const std::string& rooms) {
    return name(c) + ", es su turno de jugar. Sus cartas son: 1. " + w.NombreCarta(who(c).Carta1) +
           " y 2. " + w.NombreCarta(who(c).Carta2) +
           ". ¿A qué habitación desea ir? (pulse el número correspondiente)." + rooms;
  }
  int rooms_held(int c) {
    int n = 0;
    for (int room = 1; room <= 4; ++room) {
      const std::string& s = w.Ocupantes[room];
      for (std::size_t at = s.find(occupant_entry(c)); at != std::string::npos;
           at = s.find(occupant_entry(c), at + 1))
        if (at == 0 || s[at - 1] == ' ') ++n;
    }
    return n;
  }
};

TEST_F(RoomPhase, AllComputerCharactersArePlacedSilentlyAndThePhaseCloses) {
  plain_hands();
  w.AsignaSalas(kTrue);
  ASSERT_EQ(t.log.texts(),
            std::vector<std::string>{"salas asignadas. Pulse espacio  para continuar "});
  EXPECT_EQ(w.Fase, kFaseSalas);
  EXPECT_EQ(w.TurnoActual, 10);
  for (int c = 1; c <= 10; ++c) {
    EXPECT_GE(who(c).Sala, 1);
    EXPECT_EQ(rooms_held(c), 1) << "character " << c;
    EXPECT_TRUE(room_holds(w.Ocupantes[who(c).Sala], c));
  }
  ASSERT_EQ(t.platform.labels.size(), 1u);
  EXPECT_EQ(t.invariants(), "");
}

TEST_F(RoomPhase, TurnOrderHoldsTheLivingOnlyAndTwoCharactersKeepTheirOrder) {
  plain_hands();
  only_alive({4, 9});
  const auto draws_before = t.program.random.draws();
  w.AsignaSalas(kTrue);
  // 200 exchanges of the only pair of neighbours leave it as it was.
  EXPECT_EQ(w.OrdenTurno, (std::vector<std::int16_t>{0, 4, 9}));
  // Two weak defences send each to a random open room: at least one draw each.
  EXPECT_GE(t.program.random.draws() - draws_before, 202u);

  only_alive({1, 2, 3, 5, 6, 8, 10});
  for (int c = 1; c <= 10; ++c) who(c).Sala = -1;
  w.AsignaSalas(kTrue);
  std::vector<std::int16_t> sorted(w.OrdenTurno.begin() + 1, w.OrdenTurno.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::int16_t>{1, 2, 3, 5, 6, 8, 10}));
}

TEST_F(RoomPhase, TurnOrderTakesExactlyTwoHundredDrawsWhenEveryRoomIsDecided) {
  for (int c = 1; c <= 10; ++c) {
    const auto hiding = card(4, 1 + c % 4);
    hand(c, hiding, card(8));
  }
  const auto draws_before = t.program.random.draws();
  w.AsignaSalas(kTrue);
  EXPECT_EQ(t.program.random.draws() - draws_before, 200u);
  for (int c = 1; c <= 10; ++c) EXPECT_EQ(who(c).Sala, 1 + c % 4);
}

TEST_F(RoomPhase, APersonFirstInTheOrderIsAskedAtOnceWithEveryOpenRoom) {
  plain_hands();
  only_alive({2, 5});
  who(2).Humano = kTrue;
  w.AsignaSalas(kTrue);
  EXPECT_EQ(t.log.texts(),
            std::vector<std::string>{
                prompt_for(2, "1. El salón, 2. La cocina, 3. La biblioteca, 4. El dormitorio, ")});
  EXPECT_EQ(w.Fase, kFaseSalas);
  EXPECT_EQ(w.TurnoActual, 1);
  EXPECT_EQ(who(5).Sala, -1);
  EXPECT_TRUE(t.platform.labels.empty());

  // The room key places the person, then the computer, then the phase closes.
  w.room_key(3);
  EXPECT_EQ(who(2).Sala, 3);
  EXPECT_TRUE(room_holds(w.Ocupantes[3], 2));
  EXPECT_NE(who(5).Sala, -1);
  EXPECT_EQ(t.log.last(), "salas asignadas. Pulse espacio  para continuar ");
}

TEST_F(RoomPhase, WithOnlyElSalonOpenThePromptOffersItAloneAndEveryoneGoesThere) {
  open_rooms(1);
  for (int c = 1; c <= 10; ++c) hand(c, card(4, 3), card(5, 4));
  who(2).Humano = kTrue;
  w.Fase = kFaseSalas;
  w.AsignaSalas(kTrue);
  // Whoever came before the person is already in El salón.
  EXPECT_EQ(t.log.last(), prompt_for(2, "1. El salón, "));
  w.room_key(1);
  for (int c = 1; c <= 10; ++c) EXPECT_EQ(who(c).Sala, 1) << "character " << c;
  EXPECT_EQ(occupant_count(w.Ocupantes[1]), 10);
}

TEST_F(RoomPhase, TwoPeopleAnswerInTurnAndTheLabelListsRoomsInNumberOrder) {
  plain_hands();
  only_alive({3, 7});
  who(3).Humano = kTrue;
  who(7).Humano = kTrue;
  open_rooms(2);
  w.AsignaSalas(kTrue);
  EXPECT_EQ(t.log.last(), prompt_for(3, "1. El salón, 2. La cocina, "));
  w.room_key(2);
  EXPECT_EQ(t.log.last(), prompt_for(7, "1. El salón, 2. La cocina, "));
  EXPECT_EQ(w.TurnoActual, 2);
  w.room_key(2);
  ASSERT_EQ(t.platform.labels.size(), 1u);
  // Closed rooms keep their heading with an empty line.
  EXPECT_EQ(t.platform.labels[0], "El salón\r\n\r\nLa cocina\r\n" + name(3) + "; " + name(7) +
                                      "; \r\nLa biblioteca\r\n\r\nEl dormitorio\r\n\r\n");
  EXPECT_EQ(w.Ocupantes[2], "03; 07; ");
  EXPECT_EQ(w.TurnoActual, 2);
}

TEST_F(RoomPhase, ARoomKeyForACharacterWithARoomBeepsAndChangesNothing) {
  plain_hands();
  only_alive({3, 7});
  who(3).Humano = kTrue;
  who(7).Humano = kTrue;
  w.AsignaSalas(kTrue);
  w.room_key(1);
  w.room_key(4);  // the phase has closed on character 7
  const auto ocupantes = w.Ocupantes;
  const auto spoken = t.log.entries.size();
  w.room_key(2);
  EXPECT_EQ(t.platform.beeps, 1);
  EXPECT_EQ(w.Ocupantes, ocupantes);
  EXPECT_EQ(who(7).Sala, 4);
  EXPECT_EQ(t.log.entries.size(), spoken);
  EXPECT_EQ(t.invariants(), "");
}

TEST_F(RoomPhase, ARoomKeyForAClosedRoomBeeps) {
  plain_hands();
  only_alive({3, 7});
  who(3).Humano = kTrue;
  open_rooms(2);
  w.AsignaSalas(kTrue);
  w.room_key(3);
  w.room_key(0);
  EXPECT_EQ(t.platform.beeps, 2);
  EXPECT_EQ(who(3).Sala, -1);
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
  EXPECT_EQ(who(3).Carta1, low);
  EXPECT_EQ(who(3).Carta2, high);
  EXPECT_EQ(who(3).Sala, 1);  // the heir with the keys goes to El salón
  EXPECT_EQ(who(7).Carta1, high2);
  EXPECT_EQ(who(7).Carta2, low2);
}

TEST_F(RoomPhase, ConsecutiveComputersAfterAPersonAreServedBeforeTheNextPrompt) {
  plain_hands();
  who(1).Humano = kTrue;
  who(10).Humano = kTrue;
  w.AsignaSalas(kTrue);
  while (t.platform.labels.empty()) {
    const int c = w.current_character();
    ASSERT_TRUE(who(c).Humano != 0);
    // Everyone before the person has a room; nobody after does.
    for (int i = 1; i < w.TurnoActual; ++i) EXPECT_NE(who(w.OrdenTurno[i]).Sala, -1);
    for (int i = w.TurnoActual; i <= 10; ++i) EXPECT_EQ(who(w.OrdenTurno[i]).Sala, -1);
    w.room_key(2);
  }
  EXPECT_EQ(t.log.entries.size(), 3u);
}

}  // namespace
}  // namespace fortuna::testing
