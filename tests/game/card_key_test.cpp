#include <gtest/gtest.h>

#include "day_fixture.h"

namespace fortuna::testing {
namespace {

constexpr std::int16_t kControl = 2;
const std::string kChoose = "Elija el jugador con el que va a realizar la acción";
const std::string kNobody =
    "No hay ningún heredero  con el que pueda usar esa carta. Pulse espacio para continuar.";
const std::string kClosing = "cartas seleccionadas. Pulse espacio para continuar";

// Character 4, played by a person, is first in today's order, then 8, which is last.
class CardKey : public DayFixture {
 protected:
  void SetUp() override {
    DayFixture::SetUp();
    plain_hands();
    who(4).Humano = kTrue;
  }
  void start(std::initializer_list<int> turn) {
    order(turn);
    w.SeleccionaCartas(kTrue);
    t.log.entries.clear();
  }
  std::string list_of(std::initializer_list<int> characters) {
    std::string text = " Indique con qué heredero desea usar esa carta: ";
    int k = 0;
    for (int c : characters) text += std::to_string(++k) + ". " + name(c) + ", ";
    return text;
  }
};

TEST_F(CardKey, ControlOnAStrongAttackInItsRoomThrowsItAwayWithoutAskingATarget) {
  const auto attack = card(5, 2), defence = card(7);
  hand(4, attack, defence);
  place(4, 2);
  place(8, 2);
  start({4, 8});
  w.card_key(1, kControl);
  EXPECT_NE(who(4).Descartar, 0);
  EXPECT_EQ(who(4).CartaElegida, 1);
  EXPECT_EQ(who(4).Objetivo, 0);
  EXPECT_EQ(t.log.texts(), std::vector<std::string>{kClosing});
  EXPECT_EQ(w.Fase, kFaseCartas);
}

TEST_F(CardKey, AStrongAttackListsOnlyTheLivingInTheRoomNumberedWithoutGaps) {
  const auto attack = card(5, 3), defence = card(7);
  hand(4, attack, defence);
  place(9, 3);
  place(4, 3);
  place(2, 3);
  place(7, 3);
  place(8, 1);
  who(7).Vivo = kFalse;
  start({4, 8, 9, 2});
  w.card_key(1, 0);
  EXPECT_EQ(t.log.texts(), (std::vector<std::string>{kChoose, list_of({2, 9})}));
  EXPECT_EQ(w.Fase, kFaseObjetivo);
  EXPECT_EQ(w.NumObjetivos, 2);
  EXPECT_EQ(w.Objetivos[3], 0);
  w.target_key(2);
  EXPECT_EQ(who(4).Objetivo, 9);
  EXPECT_EQ(w.Fase, kFaseCartas);
  EXPECT_EQ(t.log.last(), kClosing);
}

TEST_F(CardKey, AWeakAttackOffersEveryLivingCharacterWhereverTheyAre) {
  const auto weak = card(6), defence = card(7);
  hand(4, weak, defence);
  only_alive({1, 4, 6, 8, 10});
  place(4, 2);
  place(1, 1);
  place(6, 3);
  place(8, 4);
  place(10, 4);
  start({4, 1, 6, 8, 10});
  w.card_key(1, 0);
  EXPECT_EQ(t.log.last(), list_of({1, 6, 8, 10}));
  EXPECT_EQ(w.NumObjetivos, 4);
}

TEST_F(CardKey, AStrongAttackWithNobodyElseInTheRoomIsPlayedAgainstNobody) {
  const auto attack = card(5, 2), defence = card(7);
  hand(4, attack, defence);
  place(4, 2);
  place(8, 1);
  start({4, 8});
  w.card_key(1, 0);
  EXPECT_EQ(t.log.texts(), (std::vector<std::string>{kChoose, kNobody, kClosing}));
  EXPECT_EQ(who(4).Objetivo, 0);
  EXPECT_EQ(w.Fase, kFaseCartas);
}

TEST_F(CardKey, AStrongAttackOutOfItsRoomAsksNothingAndSaysNothing) {
  const auto attack = card(5, 1), defence = card(7);
  hand(4, attack, defence);
  place(4, 2);
  place(8, 2);
  start({4, 8});
  w.card_key(1, 0);
  EXPECT_EQ(t.log.texts(), std::vector<std::string>{kClosing});
  EXPECT_EQ(who(4).Objetivo, 0);
  EXPECT_EQ(who(4).Descartar, 0);
}

TEST_F(CardKey, DigitsThatNameNobodyAreAnsweredAndTheListCanBeHeardAgain) {
  const auto swap = card(3), defence = card(7);
  hand(4, swap, defence);
  only_alive({2, 4, 5, 8});
  place(4, 1);
  place(2, 1);
  place(5, 1);
  place(8, 1);
  start({4, 2, 5, 8});
  w.card_key(1, 0);
  const std::string list = list_of({2, 5, 8});
  const std::string only =
      "Sólo hay 3 objetivos para elegir. Pulse espacio para escuchar sus nombres de nuevo";
  w.target_key(4);
  EXPECT_EQ(t.log.last(), only);
  w.target_key(0);
  EXPECT_EQ(t.log.last(), only);
  EXPECT_EQ(w.Fase, kFaseObjetivo);
  w.speak_target_list();
  EXPECT_EQ(t.log.last(), list);
  EXPECT_EQ(w.Fase, kFaseObjetivo);
  EXPECT_EQ(w.NumObjetivos, 3);
  EXPECT_EQ(who(4).Objetivo, 0);
  w.target_key(3);
  EXPECT_EQ(who(4).Objetivo, 8);
  EXPECT_EQ(w.Fase, kFaseCartas);
}

TEST_F(CardKey, ACardWithoutTargetClearsAnEarlierTargetAndDiscard) {
  place(4, 1);
  place(8, 1);
  start({4, 8});
  who(4).Objetivo = 8;
  who(4).Descartar = kTrue;
  w.card_key(2, 0);
  EXPECT_EQ(who(4).CartaElegida, 2);
  EXPECT_EQ(who(4).Objetivo, 0);
  EXPECT_EQ(who(4).Descartar, 0);
  EXPECT_EQ(t.log.texts(), std::vector<std::string>{kClosing});
}

TEST_F(CardKey, AfterTheClosingPromptAPersonMayChangeButTheComputersPlayIsLeftAlone) {
  place(4, 1);
  place(8, 1);
  start({8, 4});
  w.card_key(1, 0);
  ASSERT_EQ(t.log.last(), kClosing);
  w.card_key(2, kControl);  // the person, last of the order, changes its mind
  EXPECT_EQ(who(4).CartaElegida, 2);
  EXPECT_NE(who(4).Descartar, 0);
  EXPECT_EQ(t.platform.labels.size(), 2u);
  EXPECT_EQ(t.log.last(), kClosing);

  // Now the phase closes on a computer's character.
  t.platform.labels.clear();
  who(4).CartaElegida = 0;
  start({4, 8});
  w.card_key(1, 0);
  const Personaje before = who(8);
  const auto spoken = t.log.entries.size();
  w.card_key(2, kControl);
  EXPECT_EQ(t.platform.beeps, 1);
  EXPECT_EQ(who(8).CartaElegida, before.CartaElegida);
  EXPECT_EQ(who(8).Descartar, 0);
  EXPECT_EQ(t.log.entries.size(), spoken);
  EXPECT_EQ(t.platform.labels.size(), 1u);
}

}  // namespace
}  // namespace fortuna::testing
