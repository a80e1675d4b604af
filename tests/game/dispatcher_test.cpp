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
};

}  // namespace

TEST_F(Dispatcher, DigitsThatMeanNothingInThePhaseBeepAndChangeNothing) {
  w.NumSalas = 3;
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
}

// Rate limits, steps and voice wrapping are the start screen's tests: the keys share the code.
TEST_F(Dispatcher, SpeechKeysSayTheWindowsOwnWordsAndOnlyF10IsSwallowed) {
  press(keys::kF6);
  EXPECT_NE(w.DescripcionCorta, kFalse);
  EXPECT_EQ(t.log.last(), "Descripción  corta  de las cartas");
  press(keys::kF6);
  EXPECT_EQ(w.DescripcionCorta, kFalse);
  EXPECT_EQ(t.log.last(), "Descripción  larga  de las cartas");
  press(keys::kF7, keys::kShift);
  EXPECT_EQ(t.program.speech.rate(), -1);
  EXPECT_EQ(t.log.last(), "Velocidad de la voz más lenta");  // no blank after it here
  t.program.speech.set_rate(50);
  press(keys::kF8);
  EXPECT_EQ(t.log.last(), "Velocidad máxima");
  EXPECT_EQ(press(keys::kF9), keys::kF9);
  EXPECT_EQ(t.log.last(), "Voz tres");
  EXPECT_EQ(press(keys::kF10), 0);
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

// The companions' wording is the card phase's prompt test: both speak the same situation.
TEST_F(Dispatcher, SituationIsToldInTheCardPhaseUntilACardIsChosen) {
  w.Fase = kFaseCartas;
  w.DescripcionCorta = kTrue;
  place(1, 2);
  press(keys::kP);
  EXPECT_EQ(t.log.last(),
            " está en La cocina y no hay nadie más con usted.  Recuerde que  sus cartas son: 1. "
            "Defensa fuerte, Sexto sentido y 2. Defensa débil, Tapa de cazuela. ¿Qué carta desea "
            "utilizar? (pulse 1 o 2, y Si desea descartar una carta sin utilizarla, mantenga "
            "pulsada la tecla control)");
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

TEST(Windows, EnterOpensTheMainWindowAndOnlyAltF4ClosesIt) {
  TestProgram t;
  t.start_game();
  EXPECT_EQ(t.platform.shown, (std::vector<WindowId>{WindowId::Start, WindowId::Main}));
  EXPECT_EQ(t.platform.closed, std::vector<WindowId>{WindowId::Start});
  t.key(keys::kF4);
  EXPECT_TRUE(t.program.is_open(WindowId::Main));
  t.key(keys::kF4, keys::kAlt);
  EXPECT_TRUE(t.program.ended());
}

}  // namespace fortuna::testing
