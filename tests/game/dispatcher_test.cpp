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
    for (int c = 1; c <= 2; ++c) {
      who(c).Humano = kTrue;
      who(c).Sala = -1;
      who(c).CartaElegida = 0;
    }
    for (int c = 3; c <= kCharacters; ++c) dead(c);
    who(1).Carta1 = 26;  // a strong defence: needs no target
    who(1).Carta2 = 34;
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

TEST_F(Dispatcher, EveryDigitBeepsAtTheStartOfADay) {
  for (int d = 0; d <= 9; ++d) press(keys::k0 + d);
  EXPECT_EQ(beeps(), 10);
  EXPECT_EQ(w.Fase, kFaseInicioDia);
}

TEST_F(Dispatcher, RoomDigitsBeyondTheOpenRoomsBeepAndAnOpenOneIsTaken) {
  w.Fase = kFaseSalas;
  w.NumSalas = 3;
  for (int d : {0, 4, 5, 9}) press(keys::k0 + d);
  EXPECT_EQ(beeps(), 4);
  EXPECT_EQ(who(1).Sala, -1);
  press(keys::k0 + 3);
  EXPECT_EQ(beeps(), 4);
  EXPECT_EQ(who(1).Sala, 3);
  EXPECT_TRUE(room_holds(w.Ocupantes[3], 1));
  EXPECT_EQ(w.TurnoActual, 2);
}

TEST_F(Dispatcher, CardDigitsOtherThanOneAndTwoBeep) {
  w.Fase = kFaseCartas;
  who(1).Sala = 1;
  for (int d : {0, 3, 9}) press(keys::k0 + d);
  EXPECT_EQ(beeps(), 3);
  EXPECT_EQ(who(1).CartaElegida, 0);
  press(keys::k1);
  EXPECT_EQ(beeps(), 3);
  EXPECT_EQ(who(1).CartaElegida, 1);
}

TEST_F(Dispatcher, TargetPhaseTakesEveryDigitWithoutBeeping) {
  w.Fase = kFaseObjetivo;
  w.Objetivos[1] = 2;
  w.NumObjetivos = 1;
  press(keys::k0);
  press(keys::k9);
  EXPECT_EQ(beeps(), 0);
  EXPECT_EQ(w.Fase, kFaseObjetivo);
}

TEST_F(Dispatcher, AfterTheEndOnlyOneStartsANewGameAndNothingBeeps) {
  w.Fase = kFaseFin;
  const std::size_t before = spoken();
  for (int d : {0, 2, 9}) press(keys::k0 + d);
  EXPECT_EQ(press(keys::kSpace), keys::kSpace);
  EXPECT_EQ(w.Fase, kFaseFin);
  EXPECT_EQ(spoken(), before);
  EXPECT_EQ(beeps(), 0);
  press(keys::k1);
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  EXPECT_EQ(w.NumSalas, 4);
}

TEST_F(Dispatcher, AdvanceBeforeAnsweringAsksForTheAnswerAndStays) {
  w.Fase = kFaseSalas;
  w.NumSalas = 3;
  EXPECT_EQ(press(keys::kSpace), keys::kSpace);
  EXPECT_EQ(t.log.last(), "Primero debe seleccionar una de las salas. Pulse un número del 1 al 3");
  EXPECT_EQ(w.Fase, kFaseSalas);

  w.Fase = kFaseCartas;
  who(1).Sala = 1;
  press(keys::kF2);
  EXPECT_EQ(t.log.last(),
            "Primero debe seleccionar una de las cartas. Pulse la tecla C para escuchar sus cartas "
            "y después pulse 1 o 2 para elegir una de ellas.");
  EXPECT_EQ(w.Fase, kFaseCartas);
}

TEST_F(Dispatcher, AdvanceFromTheStartOfADayOpensTheRoomPhaseAndSwallowsTheKey) {
  EXPECT_EQ(press(keys::kSpace), 0);
  EXPECT_EQ(w.Fase, kFaseSalas);
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

TEST_F(Dispatcher, RateLimitIsTestedBeforeTheStep) {
  t.program.speech.set_rate(-50);
  press(keys::kF7);
  EXPECT_EQ(rate(), -50);
  EXPECT_EQ(t.log.last(), "Velocidad mínima");
  t.program.speech.set_rate(-49);
  press(keys::kF7);
  EXPECT_EQ(rate(), -54);
  EXPECT_EQ(t.log.last(), "Velocidad de la voz más lenta");

  t.program.speech.set_rate(50);
  press(keys::kF8);
  EXPECT_EQ(rate(), 50);
  EXPECT_EQ(t.log.last(), "Velocidad máxima");
  t.program.speech.set_rate(49);
  press(keys::kF8);
  EXPECT_EQ(rate(), 54);
  EXPECT_EQ(t.log.last(), "Velocidad de la voz más rápida");
}

TEST_F(Dispatcher, AnyModifierMakesTheRateStepOne) {
  for (int shift : {keys::kShift, keys::kCtrl, keys::kAlt}) {
    t.program.speech.set_rate(0);
    press(keys::kF7, shift);
    EXPECT_EQ(rate(), -1) << "modifier " << shift;
    press(keys::kF8, shift);
    press(keys::kF8, shift);
    EXPECT_EQ(rate(), 1) << "modifier " << shift;
  }
}

TEST_F(Dispatcher, VoiceKeysWrapAroundAndOnlyF10IsSwallowed) {
  EXPECT_EQ(press(keys::kF9), keys::kF9);
  EXPECT_EQ(t.program.speech.VozActual, 2);
  EXPECT_EQ(t.engine.current_voice(), 2);
  EXPECT_EQ(t.log.last(), "Voz tres");
  EXPECT_EQ(press(keys::kF10), 0);
  EXPECT_EQ(t.program.speech.VozActual, 0);
  EXPECT_EQ(t.engine.current_voice(), 0);
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
  EXPECT_EQ(t.log.last(), " está en La cocina junto a " + who(2).Nombre + ", " + who(10).Nombre +
                              ", " + kCardQuestion);

  w.Ocupantes[2] = occupant_entry(1);
  press(keys::kP);
  EXPECT_EQ(t.log.last(), " está en La cocina y no hay nadie más con usted. " + kCardQuestion);

  const std::size_t before = spoken();
  who(1).CartaElegida = 1;
  press(keys::kP);
  w.Fase = kFaseSalas;
  who(1).CartaElegida = 0;
  press(keys::kP);
  EXPECT_EQ(spoken(), before);
}

TEST_F(Dispatcher, HeirIsToldInEveryPhaseEvenAfterTheEnd) {
  w.Heredero = 3;
  w.Fase = kFaseFin;
  press(keys::kH);
  EXPECT_EQ(t.log.last(), "El heredero actual es Vanessa, la hija pija");
}

TEST_F(Dispatcher, ControlSilencesWithoutTouchingTheRepeatText) {
  press(keys::kH);
  const std::string heir = t.log.last();
  press(keys::kControl);
  EXPECT_EQ(t.log.last(), "");
  EXPECT_EQ(t.engine.spoken().back(), "");
  press(keys::kF5);
  EXPECT_EQ(t.log.last(), heir);
  EXPECT_EQ(beeps(), 0);
}

TEST_F(Dispatcher, EscapeOrAltF4CloseTheGameButF4AloneDoesNot) {
  TestProgram game;
  game.start_game();
  game.key(keys::kF4);
  EXPECT_TRUE(game.program.is_open(WindowId::Main));
  game.key(keys::kF4, keys::kAlt);
  EXPECT_TRUE(game.program.ended());

  TestProgram other;
  other.start_game();
  other.key(keys::kEscape);
  EXPECT_TRUE(other.program.ended());
}

}  // namespace fortuna::testing
