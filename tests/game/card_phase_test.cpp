#include <gtest/gtest.h>

#include "game/hand_built_game.h"

namespace fortuna::testing {
namespace {

const std::string kClosing = "cartas seleccionadas. Pulse espacio para continuar";

class CardPhase : public ::testing::Test, public HandBuiltGame {
 protected:
  CardPhase() { plain_hands(); }
  std::string prompt(int c, const std::string& where) {
    return name(c) + ", es su turno de jugar. está en " + where +
           " Recuerde que  sus cartas son: 1. " + w.NombreCarta(who(c).Carta1) + " y 2. " +
           w.NombreCarta(who(c).Carta2) +
           ". ¿Qué carta desea utilizar? (pulse 1 o 2, y Si desea descartar una carta sin "
           "utilizarla, mantenga pulsada la tecla control)";
  }
  std::string line(int c, const std::string& card_text, int target) {
    return name(c) + "(En " + w.Salas[who(c).Sala] + " " +
           std::to_string(occupant_count(w.Ocupantes[who(c).Sala])) + ") usa la carta " +
           card_text + " contra " + name(target) + "\r\n";
  }
};

}  // namespace

TEST_F(CardPhase, APersonHearsCompanionsInNumberOrderOrThatNobodyElseIsThere) {
  who(4).Humano = who(6).Humano = kTrue;
  place(4, 3);
  for (int c : {9, 6, 2}) place(c, 2);
  order({4, 9, 6, 2});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(t.log.texts(),
            std::vector<std::string>{prompt(4, "La biblioteca y no hay nadie más con usted. ")});
  EXPECT_EQ(w.Fase, kFaseCartas);
  EXPECT_EQ(who(9).CartaElegida, 0);
  w.card_key(1, 0);
  EXPECT_EQ(t.log.last(), prompt(6, "La cocina junto a " + name(2) + ", " + name(9) + ", "));
}

TEST_F(CardPhase, AllComputerCharactersChooseSilentlyAndTheLabelCutsCardsAtThirtyCharacters) {
  const auto keys = card(1, 1, "Las llaves: abren la puerta de la calle");
  hand(3, keys, card(8, -1, "Cuchillo de cocina: áéíóú áéíóú áéíóú"));
  only_alive({3, 7});
  place(7, 1);
  place(3, 1);
  order({7, 3});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(t.log.texts(), std::vector<std::string>{kClosing});
  // Character 3 holds the keys but is not the heir: it plays its other card.
  EXPECT_EQ(who(3).CartaElegida, 2);
  EXPECT_EQ(t.platform.labels,
            std::vector<std::string>{"Carttas seleccionadas \r\n" +
                                     line(7, w.NombreCarta(who(7).Carta1), 0) +
                                     line(3, "Cuchillo de cocina: áéíóú áéíó", 0)});
}

TEST_F(CardPhase, TheHeirPlaysTheKeysAndOthersAChangeOfHeir) {
  hand(1, card(1, 1), card(3));  // keys, swap
  hand(2, card(2), card(6));     // change of heir, weak attack
  only_alive({1, 2});
  order({1, 2});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(1).CartaElegida, 1);
  EXPECT_EQ(who(2).CartaElegida, 1);
}

// Alone in its room a strong attack aims at nobody, a weak one at any other living character.
TEST_F(CardPhase, AttacksAimAtTheAttackersRoomOrAnywhereButNeverAtItselfOrTheDead) {
  hand(5, card(5, 2), card(7));
  hand(1, card(6), card(8));
  who(5).Agresivo = who(1).Agresivo = kTrue;
  only_alive({1, 5});
  place(5, 2);
  place(1, 1);
  order({5, 1});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(5).CartaElegida, 1);
  EXPECT_EQ(who(5).Objetivo, 0);
  EXPECT_EQ(who(1).CartaElegida, 1);
  EXPECT_EQ(who(1).Objetivo, 5);

  hand(5, card(5, 1), card(6));  // out of its room
  only_alive({2, 5, 7, 9});
  w.Ocupantes.fill("");
  for (auto [c, room] : {std::pair{5, 3}, {7, 3}, {2, 1}, {9, 1}}) place(c, room);
  order({2, 5, 7, 9});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(5).CartaElegida, 1);
  EXPECT_EQ(who(5).Objetivo, 7);
}

TEST_F(CardPhase, APersonMayChangeAfterTheClosingPromptAndADiscardIsListedLikeAnyOther) {
  who(4).Humano = kTrue;
  only_alive({4, 8});
  place(4, 1);
  place(8, 1);
  order({8, 4});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(t.log.entries.size(), 1u);
  w.card_key(1, 0);
  EXPECT_EQ(t.log.last(), kClosing);
  w.card_key(2, 2);  // with control
  EXPECT_EQ(t.log.last(), kClosing);
  EXPECT_EQ(w.TurnoActual, 2);
  EXPECT_EQ(t.platform.labels.size(), 2u);
  EXPECT_EQ(t.platform.labels.back(), "Carttas seleccionadas \r\n" +
                                          line(8, w.NombreCarta(who(8).Carta1), 0) +
                                          line(4, w.NombreCarta(who(4).Carta2), 0));
  EXPECT_NE(who(4).Descartar, 0);
}

}  // namespace fortuna::testing
