#include <gtest/gtest.h>

#include <map>

#include "day_fixture.h"

namespace fortuna::testing {
namespace {

const std::string kQuestion =
    ". ¿Qué carta desea utilizar? (pulse 1 o 2, y Si desea descartar una carta sin utilizarla, "
    "mantenga pulsada la tecla control)";
const std::string kClosing = "cartas seleccionadas. Pulse espacio para continuar";

class CardPhase : public DayFixture {
 protected:
  void SetUp() override {
    DayFixture::SetUp();
    plain_hands();
  }
  std::string cards_of(int c) {
    return " Recuerde que  sus cartas son: 1. " + w.NombreCarta(who(c).Carta1) + " y 2. " +
           w.NombreCarta(who(c).Carta2) + kQuestion;
  }
  std::string line(int c, int room_count, const std::string& card_text, int target) {
    return name(c) + "(En " + w.Salas[who(c).Sala] + " " + std::to_string(room_count) +
           ") usa la carta " + card_text + " contra " + name(target) + "\r\n";
  }
};

TEST_F(CardPhase, APersonAloneInTheRoomHearsThatNobodyElseIsThere) {
  who(4).Humano = kTrue;
  place(4, 3);
  place(8, 1);
  order({4, 8});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(t.log.texts(), std::vector<std::string>{name(4) +
                                                    ", es su turno de jugar. está en La "
                                                    "biblioteca y no hay nadie más con usted. " +
                                                    cards_of(4)});
  EXPECT_EQ(w.Fase, kFaseCartas);
  EXPECT_EQ(who(8).CartaElegida, 0);
}

TEST_F(CardPhase, CompanionsComeInNumberOrderWithoutThePersonItself) {
  who(6).Humano = kTrue;
  place(9, 2);
  place(6, 2);
  place(2, 2);
  place(5, 1);
  order({6, 9, 2, 5});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(t.log.last(), name(6) + ", es su turno de jugar. está en La cocina junto a " + name(2) +
                              ", " + name(9) + ", " + cards_of(6));
}

TEST_F(CardPhase, AllComputerCharactersChooseSilentlyAndTheLabelListsEveryPlay) {
  const auto keys = card(1, 1, "Las llaves: abren la puerta de la calle");
  const auto defence = card(8, -1, "Cuchillo de cocina: áéíóú áéíóú áéíóú");
  hand(3, keys, defence);
  only_alive({3, 7});
  place(7, 1);
  place(3, 1);
  order({7, 3});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(t.log.texts(), std::vector<std::string>{kClosing});
  EXPECT_EQ(w.Fase, kFaseCartas);
  // Character 3 holds the keys but is not the heir: it plays its other card.
  EXPECT_EQ(who(3).CartaElegida, 2);
  ASSERT_EQ(t.platform.labels.size(), 1u);
  // Thirty characters of the text, counted as characters, not bytes.
  EXPECT_EQ(t.platform.labels[0],
            "Carttas seleccionadas \r\n" +
                line(7, 2, w.Cartas[who(7).Carta1].Descripcion.substr(0, 30), 0) +
                line(3, 2, "Cuchillo de cocina: áéíóú áéíó", 0));
}

TEST_F(CardPhase, TheHeirPlaysTheKeysAndNeverAChangeOfHeir) {
  const auto keys = card(1, 1), swap = card(3);
  const auto heir_change = card(2), weak = card(6);
  hand(1, keys, swap);
  hand(2, heir_change, weak);
  only_alive({1, 2});
  place(1, 1);
  place(2, 1);
  order({1, 2});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(1).CartaElegida, 1);
  EXPECT_EQ(who(1).Objetivo, 0);
  EXPECT_EQ(who(2).CartaElegida, 1);  // not the heir: the change of heir

  w.Heredero = 2;
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(1).CartaElegida, 2);  // the swap, on the only other living character
  EXPECT_EQ(who(1).Objetivo, 2);
  EXPECT_EQ(who(2).CartaElegida, 2);  // the heir keeps its place: the weak attack
  EXPECT_EQ(who(2).Objetivo, 1);
}

TEST_F(CardPhase, AStrongAttackAloneInTheRoomIsPlayedAgainstNobody) {
  const auto attack = card(5, 2), defence = card(7);
  hand(5, attack, defence);
  who(5).Agresivo = kTrue;
  place(5, 2);
  place(1, 1);
  order({5, 1});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(5).CartaElegida, 1);
  EXPECT_EQ(who(5).Objetivo, 0);
  const std::string& label = t.platform.labels.at(0);
  const std::string ending = " contra Nadie en especial\r\n";
  const std::size_t first_line = label.find("\r\n") + 2;
  const std::string line5 =
      label.substr(first_line, label.find("\r\n", first_line) + 2 - first_line);
  EXPECT_EQ(line5.substr(line5.size() - ending.size()), ending);
}

TEST_F(CardPhase, AStrongAttackOutOfItsRoomStillAimsAtTheAttackersRoom) {
  const auto attack = card(5, 1), weak = card(6);
  hand(5, attack, weak);
  only_alive({2, 5, 7, 9});
  place(5, 3);
  place(7, 3);
  place(2, 1);
  place(9, 1);
  order({2, 5, 7, 9});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(5).CartaElegida, 1);
  EXPECT_EQ(who(5).Objetivo, 7);
}

TEST_F(CardPhase, AWeakAttackReachesAnyLivingCharacterButNeverItselfOrTheDead) {
  const auto weak = card(6), defence = card(7);
  hand(5, weak, defence);
  who(5).Agresivo = kFalse;  // 67 plays the defence
  only_alive({2, 5, 7});
  place(2, 1);
  place(5, 2);
  place(7, 3);
  order({2, 5, 7});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(who(5).CartaElegida, 2);
  EXPECT_EQ(who(5).Objetivo, 0);

  const auto weak2 = card(6), weak_defence = card(8);
  hand(5, weak2, weak_defence);
  who(5).Agresivo = kTrue;  // 68 plays the attack
  std::map<int, int> targets;
  for (int i = 0; i < 200; ++i) {
    w.SeleccionaCartas(kTrue);
    ASSERT_EQ(who(5).CartaElegida, 1);
    ++targets[who(5).Objetivo];
  }
  EXPECT_EQ(targets.size(), 2u);
  EXPECT_GT(targets[2], 50);
  EXPECT_GT(targets[7], 50);
}

TEST_F(CardPhase, TheLastPersonsChoiceClosesThePhaseAndADiscardIsListedLikeAnyOther) {
  who(4).Humano = kTrue;
  only_alive({4, 8});
  place(4, 1);
  place(8, 1);
  order({8, 4});
  w.SeleccionaCartas(kTrue);
  EXPECT_EQ(w.TurnoActual, 2);
  EXPECT_EQ(t.log.entries.size(), 1u);
  w.card_key(2, 2);
  EXPECT_EQ(t.log.last(), kClosing);
  EXPECT_EQ(w.TurnoActual, 2);
  EXPECT_EQ(t.platform.labels.back(),
            "Carttas seleccionadas \r\n" +
                line(8, 2, w.Cartas[who(8).Carta1].Descripcion.substr(0, 30), 0) +
                line(4, 2, w.Cartas[who(4).Carta2].Descripcion.substr(0, 30), 0));
  EXPECT_NE(who(4).Descartar, 0);
}

}  // namespace
}  // namespace fortuna::testing
