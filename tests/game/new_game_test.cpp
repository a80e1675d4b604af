#include <gtest/gtest.h>

#include <algorithm>

#include "model/deck.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

std::vector<int> succession(MainWindow& w) {
  std::vector<int> line;
  for (int i = 1; i <= kCharacters; ++i) line.push_back(w.Sucesion[i]);
  return line;
}

TEST(NewGame, OpensTheFourRoomsBuildsTheCatalogueAndDealsWithoutKeysOrPapers) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  const char* rooms[] = {"Indeterminado", "", "El salón", "La cocina", "La biblioteca",
                         "El dormitorio"};
  for (int room = -1; room <= kRooms; ++room) {
    EXPECT_EQ(w.Salas[room], rooms[room + 1]) << room;
    EXPECT_EQ(w.SalaAbierta[room], room >= 1 ? kTrue : kFalse) << room;
  }
  EXPECT_EQ(w.NumSalas, 4);
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  ASSERT_EQ(w.Cartas.size(), 41u);
  EXPECT_EQ(w.Cartas[0].Descripcion, "");
  for (std::size_t n = 1; n <= kCards; ++n) {
    EXPECT_EQ(w.Cartas[n].Numero, static_cast<int>(n));
    EXPECT_EQ(w.Cartas[n].Descripcion, card_catalogue()[n - 1].descripcion);
  }
  for (const Personaje& p : t.roster())
    EXPECT_TRUE(p.Numero == 0 || (p.Carta1 >= 4 && p.Carta2 >= 4)) << p.Nombre;
  for (int i = 1; i <= kPileSize; ++i) EXPECT_EQ(w.Mazo[i] == 0, i > 20) << i;
  EXPECT_EQ(t.invariants(), "");  // every card in exactly one place
  w.DescripcionCorta = kTrue;
  EXPECT_EQ(w.NombreCarta(0), "");
}

TEST(NewGame, GameFollowsFromTheClockSeedInItsOrderOfDrawsAndZeroSeedsZero) {
  const std::pair<TimeOfDay, std::uint64_t> starts[] = {
      {{10, 20, 30}, 6000}, {{0, 20, 30}, 0}, {{10, 0, 30}, 0}, {{10, 20, 0}, 0}};
  for (const auto& [time, seed] : starts) {
    SCOPED_TRACE(seed);
    TestProgram t(time);
    t.start_game();
    Random reference(seed);
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
}

TEST(NewGame, AnotherGameRevivesEveryoneAndKeepsNamesPeopleTempersAndShortNames) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  Roster& roster = t.roster();
  roster[2].Nombre = "Reginaldo";
  roster[5].Humano = kTrue;
  for (int i : {1, 4, 6, 7, 8, 9, 10}) roster[static_cast<std::size_t>(i)].Vivo = kFalse;
  w.SalaAbierta[4] = w.SalaAbierta[3] = kFalse;
  w.NumSalas = 2;
  w.DescripcionCorta = kTrue;
  w.Fase = kFaseFin;
  const Roster before = roster;
  t.program.speech.set_rate(25);

  w.Form_Load();

  for (std::size_t i = 1; i <= kCharacters; ++i) {
    EXPECT_EQ(roster[i].Vivo, kTrue) << i;
    EXPECT_NE(roster[i].Carta2, 0) << i;
    EXPECT_EQ(roster[i].Agresivo, before[i].Agresivo) << i;
  }
  EXPECT_EQ(roster[0].Vivo, kFalse);
  EXPECT_EQ(roster[2].Nombre, "Reginaldo");
  EXPECT_EQ(roster[5].Humano, kTrue);
  EXPECT_EQ(w.DescripcionCorta, kTrue);
  EXPECT_EQ(w.NumSalas, 4);
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  EXPECT_EQ(t.program.speech.rate(), 0);  // a fresh voice
  EXPECT_EQ(t.invariants(), "");          // the rooms reopened
}

}  // namespace
}  // namespace fortuna::testing
