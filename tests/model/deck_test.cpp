#include "model/deck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "model/text.h"

namespace fortuna {
namespace {

const CardSpec& card(int n) {
  return card_catalogue()[static_cast<std::size_t>(n - 1)];
}

std::string text(int n) {
  return std::string(card(n).descripcion);
}

int expected_kind(int n) {
  if (n == 1) return 1;
  if (n <= 3) return 2;
  if (n <= 5) return 3;
  if (n <= 9) return 4;
  if (n <= 17) return 5;
  if (n <= 25) return 6;
  if (n <= 33) return 7;
  return 8;
}

int expected_room(int n) {
  switch (n) {
    case 1:
    case 7:
    case 10:
    case 11:
      return 1;
    case 8:
    case 12:
    case 13:
      return 2;
    case 9:
    case 14:
    case 15:
      return 3;
    case 6:
    case 16:
    case 17:
      return 4;
    default:
      return -1;
  }
}

TEST(Catalogue, KindsRoomsAndTargetsFollowTheCardNumbers) {
  for (int n = 1; n <= kCards; ++n) {
    SCOPED_TRACE(n);
    const int kind = expected_kind(n);
    EXPECT_EQ(card(n).tipo, kind);
    EXPECT_EQ(card(n).sala, expected_room(n));
    const bool needs_target = kind == 3 || kind == 5 || kind == 6;
    EXPECT_EQ(card(n).con_objetivo, needs_target ? kTrue : kFalse);
  }
}

TEST(Catalogue, EveryTextHasItsLengthInCharacters) {
  const std::vector<std::size_t> lengths = {156, 179, 179, 121, 121, 124, 151, 176, 156, 183,
                                            195, 237, 203, 243, 437, 342, 443, 157, 140, 239,
                                            245, 119, 140, 117, 223, 109, 166, 139, 142, 107,
                                            101, 66,  101, 78,  79,  88,  126, 80,  93,  82};
  const std::vector<std::size_t> bytes = {159, 180, 180, 123, 123, 127, 156, 178, 161, 193,
                                          199, 241, 209, 252, 442, 348, 451, 160, 143, 246,
                                          250, 122, 146, 119, 227, 109, 170, 140, 145, 109,
                                          101, 68,  103, 82,  83,  92,  129, 82,  95,  84};
  for (int n = 1; n <= kCards; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(char_length(text(n)), lengths[static_cast<std::size_t>(n - 1)]);
    EXPECT_EQ(text(n).size(), bytes[static_cast<std::size_t>(n - 1)]);
  }
}

TEST(Catalogue, TextsWithOddBlanksAreExact) {
  EXPECT_EQ(
      text(1),
      "Las llaves: Si usted es el heredero actual, vaya al salón y use esta carta, si nada se "
      "interpone se irá de la casa con la herencia y habrá ganado la partida");
  EXPECT_EQ(
      text(8),
      "Escondite, cocina:Entrando por la cocina, al fondo de la despensa queda un hueco en la "
      "sombra que es imposible ver desde fuera.Allí estará a salvo de herederos malintencionados");
  EXPECT_EQ(
      text(11),
      "Ataque fuerte, salón: el sofá del salón siempre ha tenido un muelle suelto. Si lo "
      "refuerza un poco e inadvertidamente  empuja a alguien   con un poco de impulso... ¡Zas! "
      "estampado contra el techo");
  EXPECT_EQ(
      text(26),
      "Defensa fuerte, Sexto sentido: parece que hoy tuviera un sexto sentido que le previene "
      "de cualquier amenaza. ");
  EXPECT_EQ(text(32), "Defensa fuerte, Chaleco antibalas: Con ésto no habrá quien le roce");
  EXPECT_EQ(text(40),
            "Defensa débil, polvos pica-pica: Lo justo para una escapada en el último momento..");
  EXPECT_NE(text(16).find("Las escaleras  que llevan"), std::string::npos);
  EXPECT_NE(text(16).find("sabrá qué  se siente"), std::string::npos);
  EXPECT_NE(text(16).find("y ahora  usted sabe"), std::string::npos);
  EXPECT_NE(text(12).find("una calavera  y unas"), std::string::npos);
}

TEST(Catalogue, OnlyCardsEightAndFifteenHaveNoBlankAfterTheColon) {
  std::vector<int> tight;
  for (int n = 1; n <= kCards; ++n) {
    const std::string t = text(n);
    const auto colon = t.find(':');
    ASSERT_NE(colon, std::string::npos) << n;
    if (t[colon + 1] != ' ') tight.push_back(n);
  }
  EXPECT_EQ(tight, (std::vector<int>{8, 15}));
  EXPECT_TRUE(text(15).starts_with("Ataque fuerte, biblioteca:Una espléndida armadura"));
}

TEST(Catalogue, DefencesCarryTheirPrefixAndWeakOnesAnAddedFullStop) {
  for (int n = 26; n <= 33; ++n) EXPECT_EQ(text(n).rfind("Defensa fuerte, ", 0), 0u) << n;
  for (int n = 34; n <= 40; ++n) {
    EXPECT_EQ(text(n).rfind("Defensa débil, ", 0), 0u) << n;
    EXPECT_EQ(text(n).back(), '.') << n;
  }
  EXPECT_TRUE(text(34).ends_with("¿quién podrá golpearle?."));
  EXPECT_TRUE(text(35).ends_with("atravesaría.."));
  EXPECT_TRUE(text(29).ends_with("intuición especial."));
}

TEST(Catalogue, TheRepeatedCardsAreTheSameCard) {
  EXPECT_EQ(text(2), text(3));
  EXPECT_EQ(text(4), text(5));
  std::set<std::string> distinct;
  for (int n = 1; n <= kCards; ++n) distinct.insert(text(n));
  EXPECT_EQ(distinct.size(), 38u);
}

TEST(CardName, ShortFormEndsAtTheFirstColonAndLongFormIsWhole) {
  EXPECT_EQ(card_name(text(1), true), "Las llaves");
  EXPECT_EQ(card_name(text(8), true), "Escondite, cocina");
  EXPECT_EQ(card_name(text(26), true), "Defensa fuerte, Sexto sentido");
  EXPECT_EQ(card_name(text(36), true), "Defensa débil, Maniquí");
  EXPECT_EQ(card_name(text(34), false), text(34));
  EXPECT_EQ(card_name("", true), "");
  EXPECT_EQ(card_name("", false), "");
}

Pile numbered_pile() {
  Pile mazo;
  for (int i = 1; i <= kCards; ++i) mazo[i] = static_cast<std::int16_t>(i);
  return mazo;
}

TEST(Pile, ShuffleMixesOnlyTheFirstThirtySevenPositions) {
  for (std::uint64_t seed : {0ULL, 6000ULL, 82859ULL}) {
    SCOPED_TRACE(seed);
    Pile mazo = numbered_pile();
    Random random(seed);
    shuffle_pile(mazo, random);
    EXPECT_EQ(random.draws(), 4000u);
    EXPECT_EQ(mazo[38], 38);
    EXPECT_EQ(mazo[39], 39);
    EXPECT_EQ(mazo[40], 40);
    std::vector<int> first;
    for (int i = 1; i <= kShuffledPositions; ++i) first.push_back(mazo[i]);
    EXPECT_NE(first[0] * 100 + first[1], 102);
    std::sort(first.begin(), first.end());
    for (int i = 1; i <= kShuffledPositions; ++i) EXPECT_EQ(first[i - 1], i);
  }
}

TEST(Pile, CompactionKeepsTheOrderAndPutsTheGapsLast) {
  Pile mazo;
  mazo[2] = 5;
  mazo[5] = 7;
  mazo[6] = 3;
  mazo[17] = 12;
  mazo[40] = 9;
  compact_pile(mazo);
  const std::vector<int> expected = {5, 7, 3, 12, 9};
  for (int i = 1; i <= kCards; ++i) {
    const int want = i <= 5 ? expected[static_cast<std::size_t>(i - 1)] : 0;
    EXPECT_EQ(mazo[i], want) << i;
  }
  Pile full = numbered_pile();
  compact_pile(full);
  EXPECT_EQ(full, numbered_pile());
  Pile empty;
  compact_pile(empty);
  EXPECT_EQ(empty, Pile{});
}

TEST(Succession, ShuffleExchangesNeighboursAHundredTimes) {
  Succession line;
  for (int i = 1; i <= kCharacters; ++i) line[i] = static_cast<std::int16_t>(i);
  Random random;
  shuffle_succession(line, random);
  EXPECT_EQ(random.draws(), 100u);
  std::vector<int> seen;
  for (int i = 1; i <= kCharacters; ++i) seen.push_back(line[i]);
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(ClockSeed, IsTheProductAndZeroWhenAnyPartIsZero) {
  EXPECT_EQ(clock_seed(10, 20, 30), 6000u);
  EXPECT_EQ(clock_seed(23, 59, 59), 80063u);
  EXPECT_EQ(clock_seed(0, 20, 30), 0u);
  EXPECT_EQ(clock_seed(10, 0, 30), 0u);
  EXPECT_EQ(clock_seed(10, 20, 0), 0u);
}

TEST(FirstDeal, EveryoneGetsADifferentCardAndTheKeysAndPapersWaitAfterTheRest) {
  for (std::uint64_t seed : {0ULL, 6000ULL, 1234ULL}) {
    SCOPED_TRACE(seed);
    Roster roster{};
    roster[3].Vivo = kFalse;  // the dead are dealt a first card too
    for (int i = 1; i <= kCharacters; ++i) roster[static_cast<std::size_t>(i)].Vivo = i != 3;
    Pile mazo;
    mazo[40] = 17;  // whatever the pile held before is dropped
    Random random(seed);
    deal_first_cards(mazo, roster, random);

    std::set<int> cards;
    for (int i = 1; i <= kCharacters; ++i) {
      const int c = roster[static_cast<std::size_t>(i)].Carta1;
      EXPECT_GE(c, 4);
      EXPECT_LE(c, 40);
      cards.insert(c);
    }
    EXPECT_EQ(cards.size(), 10u);
    EXPECT_EQ(roster[0].Carta1, 0);
    for (int i = 1; i <= 27; ++i) {
      EXPECT_GE(mazo[i], 4) << i;
      cards.insert(mazo[i]);
    }
    EXPECT_EQ(cards.size(), 37u);
    EXPECT_EQ(mazo[28], 1);
    EXPECT_EQ(mazo[29], 2);
    EXPECT_EQ(mazo[30], 3);
    for (int i = 31; i <= kCards; ++i) EXPECT_EQ(mazo[i], 0) << i;
  }
}

}  // namespace
}  // namespace fortuna
