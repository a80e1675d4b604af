#include <gtest/gtest.h>

#include "game/hand_built_game.h"

namespace fortuna::testing {
namespace {

constexpr std::int16_t kControl = 2;
const std::string kChoose = "Elija el jugador con el que va a realizar la acción";
const std::string kClosing = "cartas seleccionadas. Pulse espacio para continuar";

// Character 4, played by a person, is first in today's order; the others are the computer's.
struct CardDay : HandBuiltGame {
  CardDay() {
    plain_hands();
    who(4).Humano = kTrue;
  }
  void start(std::initializer_list<int> turn) {
    order(turn);
    w.SeleccionaCartas(kTrue);
    t.log.entries.clear();
  }
  std::string list_of(const std::vector<int>& characters) {
    std::string text = " Indique con qué heredero desea usar esa carta: ";
    int k = 0;
    for (int c : characters) text += std::to_string(++k) + ". " + name(c) + ", ";
    return text;
  }
};

class CardKey : public ::testing::Test, public CardDay {};

}  // namespace

TEST(CardKeyTargets, OnlyACardThatNeedsATargetAsksForOneAndOnlyTheLivingAreOffered) {
  struct Case {
    const char* what;
    int tipo, card_room, shift;
    std::vector<std::pair<int, int>> rooms;  // character, room; character 4 first
    std::vector<int> dead, offered;
    bool nobody = false;
  };
  // clang-format off
  const Case cases[] = {
      {"strong attack thrown away", 5, 2, kControl, {{4, 2}, {8, 2}}, {}, {}},
      {"strong attack in its room", 5, 3, 0, {{4, 3}, {9, 3}, {2, 3}, {7, 3}, {8, 1}}, {7}, {2, 9}},
      {"weak attack", 6, -1, 0, {{4, 2}, {1, 1}, {6, 3}, {8, 4}, {10, 4}}, {2, 3, 5, 7, 9},
       {1, 6, 8, 10}},
      {"strong attack alone", 5, 2, 0, {{4, 2}, {8, 1}}, {}, {}, true},
      {"strong attack out of its room", 5, 1, 0, {{4, 2}, {8, 2}}, {}, {}},
      {"defence", 7, -1, 0, {{4, 1}, {8, 1}}, {}, {}}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CardDay day;
    day.hand(4, day.card(c.tipo, c.card_room), day.card(7));
    for (int d : c.dead) day.who(d).Vivo = kFalse;
    day.order({});
    for (auto [who, room] : c.rooms) {
      day.place(who, room);
      if (day.alive(who)) day.w.OrdenTurno.push_back(static_cast<std::int16_t>(who));
    }
    day.w.SeleccionaCartas(kTrue);
    day.t.log.entries.clear();
    day.who(4).Objetivo = 8;  // left from an earlier day
    day.who(4).Descartar = kTrue;
    day.w.card_key(1, static_cast<std::int16_t>(c.shift));
    EXPECT_EQ(day.who(4).CartaElegida, 1);
    EXPECT_EQ(day.who(4).Descartar != 0, c.shift != 0);
    EXPECT_EQ(day.who(4).Objetivo, 0);
    std::vector<std::string> said = {kClosing};
    if (c.nobody)
      said = {kChoose,
              "No hay ningún heredero  con el que pueda usar esa carta. Pulse espacio para "
              "continuar.",
              kClosing};
    if (!c.offered.empty()) said = {kChoose, day.list_of(c.offered)};
    EXPECT_EQ(day.t.log.texts(), said);
    EXPECT_EQ(day.w.Fase, c.offered.empty() ? kFaseCartas : kFaseObjetivo);
  }
}

TEST_F(CardKey, DigitsThatNameNobodyAreAnsweredWithTheNumberOfTargets) {
  hand(4, card(3), card(7));  // a card swap
  only_alive({2, 4, 5, 8});
  for (int c : {4, 2, 5, 8}) place(c, 1);
  start({4, 2, 5, 8});
  w.card_key(1, 0);
  for (int digit : {4, 0}) {
    w.target_key(digit);
    EXPECT_EQ(t.log.last(),
              "Sólo hay 3 objetivos para elegir. Pulse espacio para escuchar sus nombres de nuevo");
  }
  EXPECT_EQ(w.Fase, kFaseObjetivo);
  w.target_key(3);
  EXPECT_EQ(who(4).Objetivo, 8);
  EXPECT_EQ(w.Fase, kFaseCartas);
  EXPECT_EQ(t.log.last(), kClosing);
}

TEST_F(CardKey, AfterThePhaseClosesOnAComputersCharacterACardKeyBeepsAndChangesNothing) {
  place(4, 1);
  place(8, 1);
  start({4, 8});
  w.card_key(1, 0);
  const auto played = who(8).CartaElegida;
  const auto labels = t.platform.labels.size();
  const auto spoken = t.log.entries.size();
  w.card_key(2, kControl);
  EXPECT_EQ(t.platform.beeps, 1);
  EXPECT_EQ(who(8).CartaElegida, played);
  EXPECT_EQ(who(8).Descartar, 0);
  EXPECT_EQ(t.log.entries.size(), spoken);
  EXPECT_EQ(t.platform.labels.size(), labels);
}

}  // namespace fortuna::testing
