#include <gtest/gtest.h>

#include "game/hand_built_game.h"

namespace fortuna::testing {

namespace {

// Two people, characters 1 and 2, in today's turn order; character 1 is served first.
class Dispatcher : public ::testing::Test, public HandBuiltGame {
 protected:
  Dispatcher() {
    t.program.speech.CargaVoces();
    w.OrdenTurno = {0, 1, 2};
    w.TurnoActual = 1;
    who(1).Humano = who(2).Humano = kTrue;
    for (int c = 3; c <= kCharacters; ++c) dead(c);
    hand(1, 26, 34);  // a strong defence: needs no target
    w.Fase = kFaseInicioDia;
  }

  // The key as the window gets it; returns the key code the dispatcher leaves.
  int press(int code, int shift = 0) {
    auto key = static_cast<std::int16_t>(code);
    w.Form_KeyDown(key, static_cast<std::int16_t>(shift));
    return key;
  }
  int beeps() const { return t.platform.beeps; }
  std::size_t spoken() const { return t.log.entries.size(); }
  int rate() const { return t.program.speech.rate(); }
};

const std::string kCardQuestion =
    " Recuerde que  sus cartas son: 1. Defensa fuerte, Sexto sentido y 2. Defensa débil, Tapa de "
    "cazuela. ¿Qué carta desea utilizar? (pulse 1 o 2, y Si desea descartar una carta sin "
    "utilizarla, mantenga pulsada la tecla control)";

}  // namespace

TEST_F(Dispatcher, DigitsThatMeanNothingInThePhaseBeepAndChangeNothing) {
  w.NumSalas = 3;
  w.Objetivos[1] = 2;
  w.NumObjetivos = 1;
  const struct {
    std::int16_t fase;
    std::vector<int> digits;
    bool beep;
  } cases[] = {
      {kFaseInicioDia, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true},
      {kFaseSalas, {0, 4, 5, 9}, true},
      {kFaseCartas, {0, 3, 9}, true},
      {kFaseObjetivo, {0, 9}, false},  // "Sólo hay..."
      {kFaseFin, {0, 2, 9}, false},
  };
  for (const auto& c : cases) {
    w.Fase = c.fase;
    const int before = beeps();
    const std::size_t said = spoken();
    for (int d : c.digits) press(keys::k0 + d);
    EXPECT_EQ(beeps() - before, c.beep ? static_cast<int>(c.digits.size()) : 0) << c.fase;
    EXPECT_EQ(w.Fase, c.fase);
    EXPECT_TRUE(c.fase == kFaseObjetivo || spoken() == said) << c.fase;
  }
  EXPECT_EQ(who(1).Sala, -1);
  EXPECT_EQ(who(1).CartaElegida, 0);

  const int before = beeps();
  w.Fase = kFaseSalas;
  press(keys::k0 + 3);  // the last open room
  EXPECT_EQ(who(1).Sala, 3);
  EXPECT_EQ(w.TurnoActual, 2);
  w.Fase = kFaseCartas;
  w.TurnoActual = 1;
  press(keys::k1);
  EXPECT_EQ(who(1).CartaElegida, 1);
  EXPECT_EQ(beeps(), before);
}

TEST_F(Dispatcher, AdvanceAsksForTheAnswerFirstAndOtherwiseMovesOnSwallowingTheKey) {
  EXPECT_EQ(press(keys::kSpace), 0);
  EXPECT_EQ(w.Fase, kFaseSalas);
  ASSERT_EQ(w.current_character(), 1);
  EXPECT_EQ(press(keys::kSpace), keys::kSpace);
  EXPECT_EQ(t.log.last(), "Primero debe seleccionar una de las salas. Pulse un número del 1 al 4");
  EXPECT_EQ(w.Fase, kFaseSalas);

  w.Fase = kFaseCartas;
  who(1).Sala = 1;
  press(keys::kF2);
  EXPECT_EQ(t.log.last(),
            "Primero debe seleccionar una de las cartas. Pulse la tecla C para escuchar sus cartas "
            "y después pulse 1 o 2 para elegir una de ellas.");
  EXPECT_EQ(w.Fase, kFaseCartas);

  w.Fase = kFaseFin;
  const std::size_t said = spoken();
  EXPECT_EQ(press(keys::kSpace), keys::kSpace);
  EXPECT_EQ(spoken(), said);
  EXPECT_EQ(w.Fase, kFaseFin);
  press(keys::k1);  // still a new game
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  EXPECT_EQ(beeps(), 0);
}

TEST_F(Dispatcher, ShortDescriptionsToggleWithTheirExactWords) {
  press(keys::kF6);
  EXPECT_NE(w.DescripcionCorta, kFalse);
  EXPECT_EQ(t.log.last(), "Descripción  corta  de las cartas");
  press(keys::kF6);
  EXPECT_EQ(w.DescripcionCorta, kFalse);
  EXPECT_EQ(t.log.last(), "Descripción  larga  de las cartas");
}

TEST_F(Dispatcher, RateLimitIsTestedBeforeTheStepAndAnyModifierStepsOne) {
  const struct {
    int from, key, shift, to;
    const char* said;
  } cases[] = {
      {-50, keys::kF7, 0, -50, "Velocidad mínima"},
      {-49, keys::kF7, 0, -54, "Velocidad de la voz más lenta"},
      {50, keys::kF8, 0, 50, "Velocidad máxima"},
      {49, keys::kF8, 0, 54, "Velocidad de la voz más rápida"},
      {0, keys::kF7, keys::kShift, -1, "Velocidad de la voz más lenta"},
      {0, keys::kF8, keys::kCtrl, 1, "Velocidad de la voz más rápida"},
      {0, keys::kF8, keys::kAlt, 1, "Velocidad de la voz más rápida"},
  };
  for (const auto& c : cases) {
    t.program.speech.set_rate(c.from);
    press(c.key, c.shift);
    EXPECT_EQ(rate(), c.to) << c.from << " " << c.shift;
    EXPECT_EQ(t.log.last(), c.said);
  }
}

TEST_F(Dispatcher, VoiceKeysWrapAroundAndOnlyF10IsSwallowed) {
  EXPECT_EQ(press(keys::kF9), keys::kF9);
  EXPECT_EQ(t.program.speech.VozActual, 2);
  EXPECT_EQ(t.engine.current_voice(), 2);
  EXPECT_EQ(t.log.last(), "Voz tres");
  EXPECT_EQ(press(keys::kF10), 0);
  EXPECT_EQ(t.program.speech.VozActual, 0);
  EXPECT_EQ(t.log.last(), "Voz uno");
}

TEST_F(Dispatcher, CardsAreToldOnlyToAPersonInTheRoomOrCardPhase) {
  const std::size_t before = spoken();
  for (int phase : {kFaseInicioDia, kFaseObjetivo, kFaseResolucion, kFaseFin}) {
    w.Fase = static_cast<std::int16_t>(phase);
    press(keys::kC);
  }
  w.Fase = kFaseSalas;
  who(1).Humano = kFalse;
  press(keys::kC);
  EXPECT_EQ(spoken(), before);

  who(1).Humano = kTrue;
  press(keys::kC);
  EXPECT_EQ(t.log.last(),
            "Sus cartas son: 1. Defensa fuerte, Sexto sentido: parece que hoy tuviera un sexto "
            "sentido que le previene de cualquier amenaza.  y 2. Defensa débil, Tapa de cazuela: "
            "Si la usa como escudo ¿quién podrá golpearle?.");
}

TEST_F(Dispatcher, SituationNamesCompanionsInNumberOrderUntilACardIsChosen) {
  w.Fase = kFaseCartas;
  w.DescripcionCorta = kTrue;
  who(1).Sala = 2;
  w.Ocupantes[2] = occupant_entry(2) + occupant_entry(1) + occupant_entry(10);
  who(10).Vivo = kTrue;
  press(keys::kP);
  EXPECT_EQ(t.log.last(),
            " está en La cocina junto a " + name(2) + ", " + name(10) + ", " + kCardQuestion);

  w.Ocupantes[2] = occupant_entry(1);
  press(keys::kP);
  EXPECT_EQ(t.log.last(), " está en La cocina y no hay nadie más con usted. " + kCardQuestion);

  const std::size_t before = spoken();
  who(1).CartaElegida = 1;
  press(keys::kP);
  EXPECT_EQ(spoken(), before);
}

TEST_F(Dispatcher, HeirIsToldAfterTheEndAndControlKeepsTheRepeatText) {
  w.Heredero = 3;
  w.Fase = kFaseFin;
  press(keys::kH);
  EXPECT_EQ(t.log.last(), "El heredero actual es Vanessa, la hija pija");
  press(keys::kControl);
  EXPECT_EQ(t.engine.spoken().back(), "");
  press(keys::kF5);
  EXPECT_EQ(t.log.last(), "El heredero actual es Vanessa, la hija pija");
  EXPECT_EQ(beeps(), 0);
}

TEST(Windows, EnterOpensTheMainWindowAndEscapeOrAltF4CloseIt) {
  TestProgram t;
  t.start_game();
  EXPECT_EQ(t.platform.shown, (std::vector<WindowId>{WindowId::Start, WindowId::Main}));
  EXPECT_EQ(t.platform.closed, std::vector<WindowId>{WindowId::Start});
  t.key(keys::kF4);
  EXPECT_TRUE(t.program.is_open(WindowId::Main));
  t.key(keys::kF4, keys::kAlt);
  EXPECT_TRUE(t.program.ended());

  TestProgram other;
  other.start_game();
  other.key(keys::kEscape);
  EXPECT_TRUE(other.program.ended());

  TestProgram start;
  start.start();
  start.key(keys::kEscape);
  EXPECT_TRUE(start.program.ended());
  start.key(keys::kEnter);  // keys after the end reach nobody
  EXPECT_FALSE(start.program.is_open(WindowId::Main));
}

}  // namespace fortuna::testing
