#include <gtest/gtest.h>

#include <algorithm>

#include "model/deck.h"
#include "model/text.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

// A game on its first day.
class DayStart : public ::testing::Test {
 protected:
  DayStart() { t.start_game(); }
  Personaje& who(int i) { return t.roster()[static_cast<std::size_t>(i)]; }
  TestProgram t;
  MainWindow& w = t.main();
};

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

TEST_F(DayStart, ClearsTheDaysChoicesButNotTheTargets) {
  for (int i = 1; i <= kCharacters; ++i) {
    who(i).Sala = 2;
    who(i).CartaElegida = 1;
    who(i).Descartar = kTrue;
    who(i).Objetivo = static_cast<std::int16_t>(11 - i);
  }
  who(4).Vivo = kFalse;
  for (int room = 1; room <= 4; ++room) w.Ocupantes[room] = "03; 05; ";
  w.Fase = kFaseResolucion;
  w.IniciaDia();
  for (int i = 1; i <= kCharacters; ++i) {
    EXPECT_EQ(who(i).Sala, -1) << i;
    EXPECT_EQ(who(i).CartaElegida, 0) << i;
    EXPECT_EQ(who(i).Descartar, kFalse) << i;
    EXPECT_EQ(who(i).Objetivo, 11 - i) << i;
  }
  for (int room = 1; room <= 4; ++room) EXPECT_EQ(w.Ocupantes[room], "") << room;
  EXPECT_EQ(w.Fase, kFaseInicioDia);
}

// Cards 11..40 in pile positions 1..30, cards 1..10 in hands.
TEST_F(DayStart, DealsEachLivingCharacterTheCardAtItsOwnPilePosition) {
  w.Mazo.fill(0);
  for (int i = 1; i <= 30; ++i) w.Mazo[i] = static_cast<std::int16_t>(10 + i);
  for (int i = 1; i <= kCharacters; ++i) {
    who(i).Carta1 = static_cast<std::int16_t>(i);
    who(i).Carta2 = 0;
  }
  who(1).Carta1 = 0;  // an empty first slot is filled first
  who(3).Carta2 = 1;  // a full hand loses its second card
  who(7).Vivo = kFalse;
  w.IniciaDia();
  const std::pair<int, int> hands[] = {{11, 0}, {2, 12}, {3, 13}, {4, 14}, {5, 15},
                                       {6, 16}, {7, 0},  {8, 18}, {9, 19}, {10, 20}};
  for (int i = 1; i <= kCharacters; ++i)
    EXPECT_EQ((std::pair<int, int>(who(i).Carta1, who(i).Carta2)), hands[i - 1]) << i;

  std::vector<int> pile;
  for (int i = 1; i <= kPileSize; ++i)
    if (w.Mazo[i] != 0) pile.push_back(w.Mazo[i]);
  ASSERT_EQ(pile.size(), 21u);
  for (int i = 22; i <= kPileSize; ++i) EXPECT_EQ(w.Mazo[i], 0) << "compacted";
  std::sort(pile.begin(), pile.end());
  std::vector<int> expected = {17};
  for (int c = 21; c <= 40; ++c) expected.push_back(c);
  EXPECT_EQ(pile, expected);
}

TEST_F(DayStart, StatusLabelHasABlockForEveryCharacterDeadOrAliveCutAtFiftyCharacters) {
  for (int i = 1; i <= kCharacters; ++i) who(i).Agresivo = to_bool16(i == 1);
  who(2).Vivo = kFalse;
  who(9).Vivo = kFalse;
  who(4).Nombre = "Kev";
  w.Mazo.fill(0);  // only character 1 is dealt a card
  w.Mazo[1] = 14;
  const std::pair<int, int> hands[] = {{1, 36}, {3, 0}, {4, 20}};
  for (auto [c, card] : hands) who(c).Carta1 = static_cast<std::int16_t>(card);
  who(1).Carta2 = who(4).Carta2 = 0;
  who(3).Carta2 = 21;
  w.Cartas[21].Descripcion = "Corta: sí";
  w.Cartas[20].Descripcion = std::string(49, 'a') + "ébc";  // an accented letter at the cut
  const std::size_t before = t.platform.labels.size();
  w.IniciaDia();
  ASSERT_EQ(t.platform.labels.size(), before + 1) << "one caption for the whole label";
  const auto lines = label_lines(t.platform.labels.back());
  ASSERT_EQ(lines.size(), 8u * 3 + 2u * 2);
  const std::vector<std::string> first = {"Bigotes, el gato andalú: (Verdadero) ",
                                          "- Defensa débil, Maniquí: Si le coloca sus ropas ser",
                                          "- Ataque fuerte, biblioteca: La biblioteca está espl",
                                          "Sir Reginald, el apenado marido: (Falso) ",
                                          "(muerto)",
                                          "Vanessa, la hija pija: (Falso) ",
                                          "- ",  // an empty slot
                                          "- Corta: sí",
                                          "Kev: (Falso) ",
                                          "- " + std::string(49, 'a') + "é",
                                          "- "};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 11), first);
  EXPECT_EQ(lines[23], "Miss Ursula Moonbeam, su vidente personal: (Falso) ");
  EXPECT_EQ(lines[24], "(muerto)");
  for (const std::string& line : lines)
    EXPECT_TRUE(!line.starts_with("- ") || char_length(line) <= 52) << line;
}

TEST_F(DayStart, AspirantsAreTheLivingInRosterOrderSpokenAfterWaiting) {
  for (int i = 1; i <= kCharacters; ++i) w.Sucesion[i] = static_cast<std::int16_t>(11 - i);
  who(2).Vivo = kFalse;
  who(7).Vivo = kFalse;
  who(4).Nombre = "Kevin";
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

  for (int i = 1; i <= kCharacters; ++i) who(i).Vivo = kFalse;
  w.IniciaDia();
  EXPECT_EQ(t.log.last(),
            "Los actuales aspirantes a la fortuna de vadod Brunilda son: . Pulse espacio para "
            "continuar.");
}

const std::string kEnd =
    " que le elimina definitivamente como aspirante a la fortuna de vadod brunilda";

TEST_F(DayStart, DeathReportNamesThisNightsAttackersInRosterOrderAfterWaiting) {
  who(4).Sala = 2;
  Jugadas jugadas{};
  for (int k = 1; k <= kCharacters; ++k) jugadas[k].Numero = static_cast<std::int16_t>(k);
  jugadas[7].Objetivo = 4;
  jugadas[6].Objetivo = 4;
  jugadas[6].Tipo = 3;  // a card swap counts too
  jugadas[5].Objetivo = 3;
  t.log.entries.clear();
  w.AnunciaMuerte(4, jugadas);
  ASSERT_EQ(t.log.entries.size(), 1u);
  EXPECT_EQ(t.log.entries[0].text,
            "Kevin, el hijo rockero cuando estaba en La cocina ha recibido un ataque de Anselmo, "
            "el chófer y de Gaspar, el mayordomo" +
                kEnd);
  EXPECT_TRUE(t.log.entries[0].wait_before);
  EXPECT_TRUE(t.log.entries[0].wait_after);

  // Nobody aiming leaves two blanks; a character with no room yet is in Indeterminado.
  w.AnunciaMuerte(2, jugadas);
  EXPECT_EQ(t.log.last(),
            "Sir Reginald, el apenado marido cuando estaba en Indeterminado ha recibido un ataque "
            "de " +
                kEnd);
}

}  // namespace
}  // namespace fortuna::testing
