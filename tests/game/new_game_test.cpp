#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/deck.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

std::vector<int> succession(MainWindow& w) {
  std::vector<int> line;
  for (int i = 1; i <= kCharacters; ++i) line.push_back(w.Sucesion[i]);
  return line;
}

std::vector<int> hands(Roster& roster) {
  std::vector<int> cards;
  for (int i = 1; i <= kCharacters; ++i) {
    cards.push_back(roster[static_cast<std::size_t>(i)].Carta1);
    cards.push_back(roster[static_cast<std::size_t>(i)].Carta2);
  }
  return cards;
}

TEST(NewGame, OpensTheFourRoomsAndWaitsOnTheFirstDay) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  EXPECT_EQ(w.Salas[-1], "Indeterminado");
  EXPECT_EQ(w.Salas[0], "");
  EXPECT_EQ(w.Salas[1], "El salón");
  EXPECT_EQ(w.Salas[2], "La cocina");
  EXPECT_EQ(w.Salas[3], "La biblioteca");
  EXPECT_EQ(w.Salas[4], "El dormitorio");
  EXPECT_EQ(w.SalaAbierta[-1], kFalse);
  for (int room = 1; room <= 4; ++room) EXPECT_EQ(w.SalaAbierta[room], kTrue);
  EXPECT_EQ(w.NumSalas, 4);
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  EXPECT_GE(w.Heredero, 1);
  EXPECT_LE(w.Heredero, 10);
  EXPECT_EQ(t.invariants(), "");
}

TEST(NewGame, BuildsTheCatalogueWithTheEmptyCardFirst) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  ASSERT_EQ(w.Cartas.size(), 41u);
  EXPECT_EQ(w.Cartas[0].Numero, 0);
  EXPECT_EQ(w.Cartas[0].Tipo, 0);
  EXPECT_EQ(w.Cartas[0].Descripcion, "");
  for (int n = 1; n <= kCards; ++n) {
    EXPECT_EQ(w.Cartas[static_cast<std::size_t>(n)].Numero, n);
    EXPECT_EQ(w.Cartas[static_cast<std::size_t>(n)].Descripcion,
              card_catalogue()[static_cast<std::size_t>(n - 1)].descripcion);
  }
}

TEST(NewGame, EveryCardIsPlacedAndNoHandHoldsTheKeysOrThePapers) {
  TestProgram t;
  t.start_game();
  std::set<int> placed;
  for (int c : hands(t.roster())) {
    EXPECT_GE(c, 4);
    placed.insert(c);
  }
  EXPECT_EQ(placed.size(), 20u);
  for (int i = 1; i <= kCards; ++i)
    if (t.main().Mazo[i] != 0) placed.insert(t.main().Mazo[i]);
  EXPECT_EQ(placed.size(), 40u);
  for (int i = 21; i <= kCards; ++i) EXPECT_EQ(t.main().Mazo[i], 0) << i;
}

TEST(NewGame, GameFollowsFromTheClockSeedInItsOrderOfDraws) {
  TestProgram t({10, 20, 30});
  t.start_game();
  Random reference(10 * 20 * 30);
  Roster dealt{};
  Pile first;
  deal_first_cards(first, dealt, reference);
  for (int i = 1; i <= kCharacters; ++i)
    EXPECT_EQ(t.roster()[static_cast<std::size_t>(i)].Carta1,
              dealt[static_cast<std::size_t>(i)].Carta1);
  Pile day;
  shuffle_pile(day, reference);  // the first day's shuffle
  EXPECT_EQ(t.main().Heredero, reference.draw(10));
}

TEST(NewGame, SeedIsZeroWhenTheHourMinuteOrSecondIsZero) {
  Random zero(0);
  Roster dealt{};
  Pile first;
  deal_first_cards(first, dealt, zero);
  for (TimeOfDay time : {TimeOfDay{0, 20, 30}, TimeOfDay{10, 0, 30}, TimeOfDay{10, 20, 0}}) {
    TestProgram t(time);
    t.start_game();
    for (int i = 1; i <= kCharacters; ++i)
      EXPECT_EQ(t.roster()[static_cast<std::size_t>(i)].Carta1,
                dealt[static_cast<std::size_t>(i)].Carta1);
  }
  TestProgram other({10, 20, 30});
  other.start_game();
  TestProgram midnight({0, 0, 0});
  midnight.start_game();
  EXPECT_NE(hands(other.roster()), hands(midnight.roster()));
}

TEST(NewGame, FirstLineOfSuccessionIsTheSameAtEveryStartAndALaterGameDiffers) {
  TestProgram one({10, 20, 30});
  one.start_game();
  TestProgram two({7, 45, 12});
  two.start_game();
  const std::vector<int> first = succession(one.main());
  EXPECT_EQ(first, succession(two.main()));
  std::vector<int> sorted = first;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

  one.main().Form_Load();
  EXPECT_NE(succession(one.main()), first);
  EXPECT_EQ(one.invariants(), "");
}

TEST(NewGame, AnotherGameRevivesEveryoneAndKeepsNamesPeopleTempersAndShortNames) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  Roster& roster = t.roster();
  roster[2].Nombre = "Reginaldo";
  roster[5].Humano = kTrue;
  for (int i : {1, 4, 6, 7, 8, 9, 10}) roster[static_cast<std::size_t>(i)].Vivo = kFalse;
  w.SalaAbierta[4] = kFalse;
  w.SalaAbierta[3] = kFalse;
  w.NumSalas = 2;
  w.DescripcionCorta = kTrue;
  w.Fase = kFaseFin;
  std::vector<Bool16> tempers;
  for (int i = 1; i <= kCharacters; ++i)
    tempers.push_back(roster[static_cast<std::size_t>(i)].Agresivo);
  t.program.speech.set_rate(25);

  w.Form_Load();

  for (int i = 1; i <= kCharacters; ++i) {
    const Personaje& p = roster[static_cast<std::size_t>(i)];
    EXPECT_EQ(p.Vivo, kTrue) << i;
    EXPECT_NE(p.Carta1, 0) << i;
    EXPECT_NE(p.Carta2, 0) << i;
    EXPECT_EQ(p.Agresivo, tempers[static_cast<std::size_t>(i - 1)]) << i;
  }
  EXPECT_EQ(roster[0].Vivo, kFalse);
  EXPECT_EQ(roster[2].Nombre, "Reginaldo");
  EXPECT_EQ(roster[5].Humano, kTrue);
  EXPECT_EQ(w.DescripcionCorta, kTrue);
  EXPECT_EQ(w.NumSalas, 4);
  EXPECT_EQ(w.SalaAbierta[3], kTrue);
  EXPECT_EQ(w.SalaAbierta[4], kTrue);
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  EXPECT_EQ(t.program.speech.rate(), 0);  // a fresh voice
  EXPECT_EQ(t.invariants(), "");
}

TEST(NewGame, CardNamesAreWholeOrShortAndTheEmptyCardHasNone) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  EXPECT_EQ(w.NombreCarta(0), "");
  EXPECT_TRUE(w.NombreCarta(34).ends_with("¿quién podrá golpearle?."));
  EXPECT_EQ(w.NombreCarta(1), w.Cartas[1].Descripcion);
  w.DescripcionCorta = kTrue;
  EXPECT_EQ(w.NombreCarta(0), "");
  EXPECT_EQ(w.NombreCarta(1), "Las llaves");
  EXPECT_EQ(w.NombreCarta(8), "Escondite, cocina");
  w.DescripcionCorta = 1;  // any non-zero value is true
  EXPECT_EQ(w.NombreCarta(36), "Defensa débil, Maniquí");
}

TEST(NewGame, AddingACardFillsTheLastEntryOrGrowsAfterARealCard) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  w.Cartas.assign(2, Carta{});
  w.AgregaCarta("Nada: sin tipo", 0, kFalse, -1);
  ASSERT_EQ(w.Cartas.size(), 2u);
  w.AgregaCarta("Uno: primera", 3, kTrue, -1);
  ASSERT_EQ(w.Cartas.size(), 2u);  // the kindless card was written over
  EXPECT_EQ(w.Cartas[1].Descripcion, "Uno: primera");
  w.AgregaCarta("Dos: segunda", 5, kTrue, 2);
  ASSERT_EQ(w.Cartas.size(), 3u);
  EXPECT_EQ(w.Cartas[2].Numero, 2);
  EXPECT_EQ(w.Cartas[2].Tipo, 5);
  EXPECT_EQ(w.Cartas[2].Sala, 2);
  EXPECT_EQ(w.Cartas[2].ConObjetivo, kTrue);
  EXPECT_EQ(w.Cartas[0].Descripcion, "");
}

}  // namespace
}  // namespace fortuna::testing
