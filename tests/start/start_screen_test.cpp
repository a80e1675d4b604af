#include "start/start_screen.h"

#include <gtest/gtest.h>

#include "support/test_program.h"

namespace fortuna::testing {

class StartScreenTest : public ::testing::Test {
 protected:
  StartScreenTest() { t.start(); }
  SpeechLog::Entry last() const { return t.log.entries.back(); }
  std::string said() const { return t.log.last(); }
  // The key code as the screen leaves it.
  std::int16_t key(int code, int shift = 0) {
    auto c = static_cast<std::int16_t>(code);
    t.program.start_screen.Picture1_KeyDown(c, static_cast<std::int16_t>(shift));
    return c;
  }
  int rate() { return t.program.speech.rate(); }
  TestProgram t;
};

TEST_F(StartScreenTest, LoadGreetsAndArrowsWrapAroundTheRoster) {
  ASSERT_EQ(t.log.entries.size(), 1u);
  EXPECT_EQ(said(),
            "La fortuna de Vadod Brunilda. Escoja los personajes que desea controlar y pulse "
            "Enter cuando esté listo. Bigotes, el gato andalúNo seleccionado");
  EXPECT_FALSE(last().wait_before);
  key(keys::kLeft);
  EXPECT_EQ(said(), "Mister Felix Vaultman, su banquero de confianzaNo seleccionado");
  key(keys::kDown);
  EXPECT_EQ(t.program.start_screen.PosicionLista, 1);
  key(keys::kUp);
  key(keys::kRight);
  key(keys::kRight);
  EXPECT_EQ(said(), "Sir Reginald, el apenado maridoNo seleccionado");
}

TEST_F(StartScreenTest, SpaceTogglesAndHintsTheRenameOnlyWhenSelecting) {
  key(keys::kSpace);
  EXPECT_EQ(t.roster()[1].Humano, kTrue);
  ASSERT_EQ(t.log.entries.size(), 3u);
  EXPECT_EQ(t.log.entries[1].text, "Seleccionado");
  EXPECT_EQ(said(), "Pulse f2 si desea cambiar el nombre del personaje");
  EXPECT_TRUE(last().wait_before);
  key(keys::kSpace);
  EXPECT_EQ(t.roster()[1].Humano, kFalse);
  EXPECT_EQ(t.log.entries.size(), 4u);
  EXPECT_EQ(said(), "No seleccionado");
}

TEST_F(StartScreenTest, RenameStoresTheTextExactlyAndAnnouncesAfterWaiting) {
  key(keys::kRight);
  t.platform.answers = {"  Doña Ñ <3> ", "", "Pe\xFFpe"};
  key(keys::kF2);
  EXPECT_EQ(t.log.entries[t.log.entries.size() - 2].text,
            "Escriba el nombre del personaje y pulse enter: Sir Reginald, el apenado marido");
  EXPECT_EQ(t.roster()[2].Nombre, "  Doña Ñ <3> ");
  EXPECT_EQ(said(), "  Doña Ñ <3> No seleccionado");
  EXPECT_TRUE(last().wait_before);
  key(keys::kF2);  // cancelled
  EXPECT_EQ(said(), "Cancelado");
  EXPECT_FALSE(last().wait_before);
  EXPECT_EQ(t.roster()[2].Nombre, "  Doña Ñ <3> ");
  key(keys::kF2);  // invalid UTF-8 from the front end is repaired
  EXPECT_EQ(t.roster()[2].Nombre, "Pe\xEF\xBF\xBDpe");
}

TEST_F(StartScreenTest, RateStopsAtTheLimitsTestedBeforeTheStepAndAnyModifierStepsOne) {
  const std::string slower = "Velocidad de la voz más lenta ",
                    faster = "Velocidad de la voz más rápida";
  // clang-format off
  const struct { int from, code, shift, to; std::string said; } cases[] = {
      {-49, keys::kF7, 0, -54, slower}, {-50, keys::kF7, 0, -50, "Velocidad mínima"},
      {49, keys::kF8, 0, 54, faster}, {50, keys::kF8, 0, 50, "Velocidad máxima"},
      {0, keys::kF7, 0, -5, slower}, {0, keys::kF8, keys::kShift, 1, faster},
      {0, keys::kF7, keys::kCtrl, -1, slower}, {0, keys::kF8, keys::kAlt, 1, faster},
      {0, keys::kF7, keys::kShift | keys::kAlt, -1, slower}};
  // clang-format on
  for (const auto& c : cases) {
    t.program.speech.set_rate(c.from);
    key(c.code, c.shift);
    EXPECT_EQ(rate(), c.to) << c.from << " " << c.code << " " << c.shift;
    EXPECT_EQ(said(), c.said);
  }
}

TEST_F(StartScreenTest, VoiceKeysWrapAndOnlyF10IsSwallowed) {
  EXPECT_EQ(key(keys::kF9), keys::kF9);
  EXPECT_EQ(t.program.speech.VozActual, 2);
  EXPECT_EQ(t.engine.current_voice(), 2);
  EXPECT_EQ(said(), "Voz tres");
  EXPECT_EQ(key(keys::kF10), 0);
  EXPECT_EQ(t.program.speech.VozActual, 0);
  EXPECT_EQ(said(), "Voz uno");
}

TEST_F(StartScreenTest, ControlSilencesAndKeepsTheRepeatText) {
  key(keys::kRight);
  key(keys::kControl);
  EXPECT_EQ(said(), "");
  EXPECT_EQ(t.program.speech.UltimoMensaje, "Sir Reginald, el apenado maridoNo seleccionado");
}

TEST_F(StartScreenTest, KeysNotInTheTableDoNothingAndSayNothingButEscapeEndsTheProgram) {
  for (int code :
       {keys::kTab, int{'A'}, int{'H'}, keys::k1, keys::kF5, keys::kF6, keys::kF1, keys::kF4})
    key(code, code == keys::kF4 ? keys::kAlt : 0);
  EXPECT_EQ(t.log.entries.size(), 1u);
  EXPECT_EQ(t.platform.beeps, 0);
  EXPECT_FALSE(t.program.ended());
  key(keys::kEscape);
  EXPECT_TRUE(t.program.ended());
}

}  // namespace fortuna::testing
