#include "model/deck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "model/text.h"

namespace fortuna {
namespace {

const CardEntry& card(int n) {
  return card_catalogue()[static_cast<std::size_t>(n - 1)];
}
std::string text(int n) {
  return std::string(card(n).descripcion);
}

TEST(Catalogue, KindsRoomsTargetsLengthsAndPrefixesOfEveryCard) {
  // One character a card: its kind, and its room ('-' for any room).
  const std::string kinds = "1223344445555555566666666777777778888888";
  const std::string rooms = "1----412311223344-----------------------";
  const std::vector<std::size_t> chars = {156, 179, 179, 121, 121, 124, 151, 176, 156, 183,
                                          195, 237, 203, 243, 437, 342, 443, 157, 140, 239,
                                          245, 119, 140, 117, 223, 109, 166, 139, 142, 107,
                                          101, 66,  101, 78,  79,  88,  126, 80,  93,  82};
  const std::vector<std::size_t> bytes = {159, 180, 180, 123, 123, 127, 156, 178, 161, 193,
                                          199, 241, 209, 252, 442, 348, 451, 160, 143, 246,
                                          250, 122, 146, 119, 227, 109, 170, 140, 145, 109,
                                          101, 68,  103, 82,  83,  92,  129, 82,  95,  84};
  std::set<std::string> distinct;
  std::vector<int> tight;  // no blank after the colon
  for (int n = 1; n <= kCards; ++n) {
    SCOPED_TRACE(n);
    const auto i = static_cast<std::size_t>(n - 1);
    const int kind = kinds[i] - '0';
    EXPECT_EQ(card(n).tipo, kind);
    EXPECT_EQ(card(n).sala, rooms[i] == '-' ? -1 : rooms[i] - '0');
    EXPECT_EQ(card(n).con_objetivo, kind == 3 || kind == 5 || kind == 6 ? kTrue : kFalse);
    const std::string t = text(n);
    EXPECT_EQ(char_length(t), chars[i]);
    EXPECT_EQ(t.size(), bytes[i]);
    distinct.insert(t);
    if (t[t.find(':') + 1] != ' ') tight.push_back(n);
    EXPECT_TRUE(n < 26 || t.starts_with(n <= 33 ? "Defensa fuerte, " : "Defensa débil, "));
    EXPECT_TRUE(n < 34 || t.back() == '.') << "a weak defence's added full stop";
  }
  EXPECT_EQ(tight, (std::vector<int>{8, 15}));
  EXPECT_EQ(distinct.size(), 38u) << "cards 2 and 3, 4 and 5 say the same";
}

TEST(Catalogue, TextsWithOddBlanksAreExact) {
  EXPECT_EQ(
      text(1),
      "Las llaves: Si usted es el heredero actual, vaya al salón y use esta carta, si nada se "
      "interpone se irá de la casa con la herencia y habrá ganado la partida");
  EXPECT_EQ(
      text(8),
      "Escondite, cocina:Entrando por la cocina, al fondo de la despensa queda un hueco en la "
      "sombra que es imposible ver desde fuera.Allí estará a salvo de herederos "
      "malintencionados");
  EXPECT_EQ(text(11),
            "Ataque fuerte, salón: el sofá del salón siempre ha tenido un muelle suelto. Si lo "
            "refuerza un poco e inadvertidamente  empuja a alguien   con un poco de impulso... "
            "¡Zas! estampado contra el techo");
  EXPECT_EQ(text(26),
            "Defensa fuerte, Sexto sentido: parece que hoy tuviera un sexto sentido que le "
            "previene de cualquier amenaza. ");
  EXPECT_EQ(text(32), "Defensa fuerte, Chaleco antibalas: Con ésto no habrá quien le roce");
  EXPECT_EQ(text(40),
            "Defensa débil, polvos pica-pica: Lo justo para una escapada en el último momento..");
  EXPECT_TRUE(text(34).ends_with("¿quién podrá golpearle?."));
}

TEST(Pile, ShuffleMixesOnlyTheFirstThirtySevenPositions) {
  for (std::uint64_t seed : {0ULL, 6000ULL, 82859ULL}) {
    SCOPED_TRACE(seed);
    Pile mazo;
    for (int i = 1; i <= kCards; ++i) mazo[i] = static_cast<std::int16_t>(i);
    Random random(seed);
    shuffle_pile(mazo, random);
    EXPECT_EQ(random.draws(), 4000u);
    EXPECT_NE(mazo[1] * 100 + mazo[2], 102);
    std::sort(&mazo[1], &mazo[1] + kShuffledPositions);
    for (int i = 1; i <= kCards; ++i) EXPECT_EQ(mazo[i], i);
  }
}

TEST(FirstDeal, EveryoneGetsADifferentCardAndTheKeysAndPapersWaitAfterTheRest) {
  for (std::uint64_t seed : {0ULL, 6000ULL, 1234ULL}) {
    SCOPED_TRACE(seed);
    Roster roster{};
    for (int i = 1; i <= kCharacters; ++i) roster[i].Vivo = i == 3 ? kFalse : kTrue;
    Pile mazo;
    mazo[40] = 17;  // whatever the pile held before is dropped
    Random random(seed);
    deal_first_cards(mazo, roster, random);
    std::set<int> cards;  // the dead are dealt too
    for (int i = 1; i <= kCharacters; ++i) cards.insert(roster[i].Carta1);
    for (int i = 1; i <= 27; ++i) cards.insert(mazo[i]);
    EXPECT_EQ(roster[0].Carta1, 0);
    EXPECT_EQ(cards.size(), 37u);
    EXPECT_EQ(*cards.begin(), 4);
    EXPECT_EQ(*cards.rbegin(), 40);
    for (int i = 28; i <= kCards; ++i) EXPECT_EQ(mazo[i], i <= 30 ? i - 27 : 0) << i;
  }
}

}  // namespace
}  // namespace fortuna
