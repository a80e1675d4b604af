#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

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

// The label's lines, each ended by CR LF.
std::vector<std::string> label_lines(const std::string& label) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = label.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    lines.push_back(label.substr(start, end - start));
  return lines;
}

TEST_F(DayStart, ClearsTheDaysChoicesButNotTheTargets) {
  for (int i : {1, 4}) {  // the dead too
    who(i).Sala = 2, who(i).CartaElegida = 1, who(i).Descartar = kTrue, who(i).Objetivo = 7;
  }
  who(4).Vivo = kFalse;
  for (int room = 1; room <= 4; ++room) w.Ocupantes[room] = "03; 05; ";
  w.Fase = kFaseResolucion;
  w.IniciaDia();
  for (int i : {1, 4}) {
    EXPECT_EQ((std::tuple(who(i).Sala, who(i).CartaElegida, who(i).Descartar, who(i).Objetivo)),
              (std::tuple(-1, 0, kFalse, 7)));
  }
  for (int room = 1; room <= 4; ++room) EXPECT_EQ(w.Ocupantes[room], "") << room;
  EXPECT_EQ(w.Fase, kFaseInicioDia);
}

// Cards 11..40 in pile positions 1..30, cards 1..10 in hands.
TEST_F(DayStart, DealsEachLivingCharacterTheCardAtItsOwnPilePosition) {
  w.Mazo.fill(0);
  for (int i = 1; i <= 30; ++i) w.Mazo[i] = static_cast<std::int16_t>(10 + i);
  for (int i = 1; i <= kCharacters; ++i)
    who(i).Carta1 = static_cast<std::int16_t>(i), who(i).Carta2 = 0;
  who(1).Carta1 = 0;  // an empty first slot is filled first
  who(3).Carta2 = 1;  // a full hand loses its second card
  who(7).Vivo = kFalse;
  w.IniciaDia();
  const std::pair<int, int> hands[] = {{11, 0}, {2, 12}, {3, 13}, {4, 14}, {5, 15},
                                       {6, 16}, {7, 0},  {8, 18}, {9, 19}, {10, 20}};
  for (int i = 1; i <= kCharacters; ++i)
    EXPECT_EQ((std::pair<int, int>(who(i).Carta1, who(i).Carta2)), hands[i - 1]) << i;

  std::vector<int> left = {17}, pile;  // what was not dealt, compacted to the front
  for (int c = 21; c <= 40; ++c) left.push_back(c);
  left.resize(kPileSize, 0);
  for (int i = 1; i <= kPileSize; ++i) pile.push_back(w.Mazo[i]);
  std::sort(pile.begin(), pile.begin() + 21);
  EXPECT_EQ(pile, left);
}

TEST_F(DayStart, LivingAspirantsAreSpokenInRosterOrderAndTheLabelShowsEveryoneCutAtFifty) {
  for (int i = 1; i <= kCharacters; ++i) w.Sucesion[i] = static_cast<std::int16_t>(11 - i);
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
  t.log.entries.clear();
  w.IniciaDia();
  ASSERT_EQ(t.log.entries.size(), 1u);
  EXPECT_EQ(t.log.entries[0].text,
            "Los actuales aspirantes a la fortuna de vadod Brunilda son: Bigotes, el gato andalú; "
            "Vanessa, la hija pija; Kev; Zivi Edna Pickford la cotilla, su mejor amiga; Anselmo, "
            "el chófer; Gaspar, el mayordomo; Miss Olga Curlwood, su peluquera de toda la vida; "
            "Mister Felix Vaultman, su banquero de confianza. Pulse espacio para continuar.");
  EXPECT_TRUE(t.log.entries[0].wait_before);
  EXPECT_FALSE(t.log.entries[0].wait_after);
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
