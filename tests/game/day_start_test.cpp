#include <gtest/gtest.h>

#include <algorithm>

#include "model/deck.h"
#include "model/text.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

Personaje& who(TestProgram& t, int i) {
  return t.roster()[static_cast<std::size_t>(i)];
}

std::vector<std::string> label_lines(const std::string& label) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = label.find("\r\n"); end != std::string::npos; end = label.find("\r\n", start)) {
    lines.push_back(label.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, label.size()) << "the label must end with a line end";
  return lines;
}

TEST(DayStart, ClearsTheDaysChoicesButNotTheTargets) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  for (int i = 1; i <= kCharacters; ++i) {
    who(t, i).Sala = 2;
    who(t, i).CartaElegida = 1;
    who(t, i).Descartar = kTrue;
    who(t, i).Objetivo = static_cast<std::int16_t>(11 - i);
  }
  who(t, 4).Vivo = kFalse;
  for (int room = 1; room <= 4; ++room) w.Ocupantes[room] = "03; 05; ";
  w.Fase = kFaseResolucion;
  w.IniciaDia();
  for (int i = 1; i <= kCharacters; ++i) {
    EXPECT_EQ(who(t, i).Sala, -1) << i;
    EXPECT_EQ(who(t, i).CartaElegida, 0) << i;
    EXPECT_EQ(who(t, i).Descartar, kFalse) << i;
    EXPECT_EQ(who(t, i).Objetivo, 11 - i) << i;
  }
  for (int room = 1; room <= 4; ++room) EXPECT_EQ(w.Ocupantes[room], "") << room;
  EXPECT_EQ(w.Fase, kFaseInicioDia);
}

// Hands and pile laid out by hand: cards 11..40 in pile positions 1..30, cards 1..10 in hands.
TEST(DayStart, DealsEachLivingCharacterTheCardAtItsOwnPilePosition) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  w.Mazo.fill(0);
  for (int i = 1; i <= 30; ++i) w.Mazo[i] = static_cast<std::int16_t>(10 + i);
  for (int i = 1; i <= kCharacters; ++i) {
    who(t, i).Carta1 = static_cast<std::int16_t>(i);
    who(t, i).Carta2 = 0;
  }
  who(t, 1).Carta1 = 0;  // an empty first slot is filled first
  who(t, 3).Carta2 = 1;  // a full hand loses its second card
  who(t, 7).Vivo = kFalse;

  w.IniciaDia();

  EXPECT_EQ(who(t, 1).Carta1, 11);
  EXPECT_EQ(who(t, 1).Carta2, 0);
  EXPECT_EQ(who(t, 2).Carta1, 2);
  EXPECT_EQ(who(t, 2).Carta2, 12);
  EXPECT_EQ(who(t, 3).Carta1, 3);
  EXPECT_EQ(who(t, 3).Carta2, 13);
  EXPECT_EQ(who(t, 7).Carta1, 7);
  EXPECT_EQ(who(t, 7).Carta2, 0);
  EXPECT_EQ(who(t, 8).Carta2, 18);
  EXPECT_EQ(who(t, 10).Carta2, 20);

  std::vector<int> pile;
  for (int i = 1; i <= kCards; ++i)
    if (w.Mazo[i] != 0) pile.push_back(w.Mazo[i]);
  ASSERT_EQ(pile.size(), 21u);
  for (int i = 22; i <= kCards; ++i) EXPECT_EQ(w.Mazo[i], 0) << "compacted";
  std::sort(pile.begin(), pile.end());
  std::vector<int> expected = {17};
  for (int c = 21; c <= 40; ++c) expected.push_back(c);
  EXPECT_EQ(pile, expected);
}

TEST(DayStart, AnEmptyPilePositionDealsNoCard) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  w.Mazo.fill(0);
  w.Mazo[1] = 30;
  who(t, 1).Carta1 = 0;
  who(t, 2).Carta1 = 0;
  who(t, 2).Carta2 = 5;
  w.IniciaDia();
  EXPECT_EQ(who(t, 1).Carta1, 30);
  EXPECT_EQ(who(t, 2).Carta1, 0);
  EXPECT_EQ(who(t, 2).Carta2, 5);
  const auto lines = label_lines(t.platform.labels.back());
  // Character 2's block: its first line, then an empty slot and card 5.
  EXPECT_EQ(lines[4], "- ");
  EXPECT_EQ(lines[5], "- " + first_chars(w.Cartas[5].Descripcion, 50));
}

TEST(DayStart, StatusLabelHasABlockForEveryCharacterDeadOrAlive) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  who(t, 1).Agresivo = kTrue;
  who(t, 2).Agresivo = kFalse;
  who(t, 2).Vivo = kFalse;
  who(t, 9).Vivo = kFalse;
  who(t, 4).Nombre = "Kev";
  w.Mazo.fill(0);  // only character 1 is dealt a card
  w.Mazo[1] = 14;
  who(t, 1).Carta1 = 36;
  who(t, 1).Carta2 = 0;
  who(t, 3).Carta1 = 0;
  who(t, 3).Carta2 = 21;
  w.Cartas[21].Descripcion = "Corta: sí";
  // 49 plain letters and an accented one at the cut.
  w.Cartas[20].Descripcion = std::string(49, 'a') + "ébc";
  who(t, 4).Carta1 = 20;
  who(t, 4).Carta2 = 0;
  const std::size_t before = t.platform.labels.size();
  w.IniciaDia();
  ASSERT_EQ(t.platform.labels.size(), before + 1) << "one caption for the whole label";
  const auto lines = label_lines(t.platform.labels.back());
  ASSERT_EQ(lines.size(), 8u * 3 + 2u * 2);
  EXPECT_EQ(lines[0], "Bigotes, el gato andalú: (Verdadero) ");
  EXPECT_EQ(lines[1], "- Defensa débil, Maniquí: Si le coloca sus ropas ser");
  EXPECT_EQ(lines[2], "- Ataque fuerte, biblioteca: La biblioteca está espl");
  EXPECT_EQ(lines[3], "Sir Reginald, el apenado marido: (Falso) ");
  EXPECT_EQ(lines[4], "(muerto)");
  EXPECT_EQ(lines[6], "- ");
  EXPECT_EQ(lines[7], "- Corta: sí");
  EXPECT_EQ(lines[8].rfind("Kev: (", 0), 0u);
  EXPECT_EQ(lines[9], "- " + std::string(49, 'a') + "é");
  EXPECT_EQ(lines[10], "- ");
  EXPECT_EQ(lines[23].rfind("Miss Ursula Moonbeam, su vidente personal: (", 0), 0u);
  EXPECT_EQ(lines[24], "(muerto)");
  for (const std::string& line : lines)
    if (line.rfind("- ", 0) == 0) {
      EXPECT_LE(char_length(line), 52u) << line;
    }
}

TEST(DayStart, AspirantsAreTheLivingInRosterOrderSpokenAfterWaiting) {
  TestProgram t;
  t.start_game();
  MainWindow& w = t.main();
  for (int i = 1; i <= kCharacters; ++i) w.Sucesion[i] = static_cast<std::int16_t>(11 - i);
  who(t, 2).Vivo = kFalse;
  who(t, 7).Vivo = kFalse;
  who(t, 4).Nombre = "Kevin";
  t.log.entries.clear();
  w.IniciaDia();
  ASSERT_EQ(t.log.entries.size(), 1u);
  EXPECT_EQ(t.log.entries[0].text,
            "Los actuales aspirantes a la fortuna de vadod Brunilda son: Bigotes, el gato andalú; "
            "Vanessa, la hija pija; Kevin; Zivi Edna Pickford la cotilla, su mejor amiga; Anselmo, "
            "el chófer; Miss Olga Curlwood, su peluquera de toda la vida; Miss Ursula Moonbeam, su "
            "vidente personal; Mister Felix Vaultman, su banquero de confianza. Pulse espacio para "
            "continuar.");
  EXPECT_TRUE(t.log.entries[0].wait_before);
  EXPECT_FALSE(t.log.entries[0].wait_after);
}

TEST(DayStart, WithNobodyAliveTheListIsEmpty) {
  TestProgram t;
  t.start_game();
  for (int i = 1; i <= kCharacters; ++i) who(t, i).Vivo = kFalse;
  t.main().IniciaDia();
  EXPECT_EQ(t.log.last(),
            "Los actuales aspirantes a la fortuna de vadod Brunilda son: . Pulse espacio para "
            "continuar.");
}

Jugadas night() {
  Jugadas jugadas{};
  for (int k = 1; k <= kCharacters; ++k) jugadas[k].Numero = static_cast<std::int16_t>(k);
  return jugadas;
}

const std::string kEnd =
    " que le elimina definitivamente como aspirante a la fortuna de vadod brunilda";

TEST(DeathReport, NamesTheAttackersOfThisNightInRosterOrder) {
  TestProgram t;
  t.start_game();
  who(t, 4).Sala = 2;
  Jugadas jugadas = night();
  jugadas[7].Objetivo = 4;
  jugadas[6].Objetivo = 4;
  jugadas[6].Tipo = 3;  // a card swap counts too
  jugadas[5].Objetivo = 3;
  t.log.entries.clear();
  t.main().AnunciaMuerte(4, jugadas);
  ASSERT_EQ(t.log.entries.size(), 1u);
  EXPECT_EQ(
      t.log.entries[0].text,
      "Kevin, el hijo rockero cuando estaba en La cocina ha recibido un ataque de Anselmo, el "
      "chófer y de Gaspar, el mayordomo" +
          kEnd);
  EXPECT_TRUE(t.log.entries[0].wait_before);
  EXPECT_TRUE(t.log.entries[0].wait_after);
}

TEST(DeathReport, OneAttacker) {
  TestProgram t;
  t.start_game();
  who(t, 1).Sala = 4;
  Jugadas jugadas = night();
  jugadas[10].Objetivo = 1;
  t.main().AnunciaMuerte(1, jugadas);
  EXPECT_EQ(
      t.log.last(),
      "Bigotes, el gato andalú cuando estaba en El dormitorio ha recibido un ataque de Mister "
      "Felix Vaultman, su banquero de confianza" +
          kEnd);
}

TEST(DeathReport, NobodyAimingLeavesTwoBlanksAndAnUnchosenRoomIsIndeterminado) {
  TestProgram t;
  t.start_game();
  t.main().AnunciaMuerte(3, night());
  EXPECT_EQ(
      t.log.last(),
      "Vanessa, la hija pija cuando estaba en Indeterminado ha recibido un ataque de " + kEnd);
}

TEST(DeathReport, ACharacterDeadBeforeThisNightIsNeverNamed) {
  TestProgram t;
  t.start_game();
  who(t, 5).Sala = 1;
  who(t, 2).Vivo = kFalse;
  who(t, 2).Objetivo = 5;  // its last target, from the day it died
  Jugadas jugadas = night();
  jugadas[2] = Jugada{};
  jugadas[9].Objetivo = 5;
  t.main().AnunciaMuerte(5, jugadas);
  EXPECT_EQ(
      t.log.last(),
      "Zivi Edna Pickford la cotilla, su mejor amiga cuando estaba en El salón ha recibido un "
      "ataque de Miss Ursula Moonbeam, su vidente personal" +
          kEnd);
}

}  // namespace
}  // namespace fortuna::testing
