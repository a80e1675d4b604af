#include "start/start_screen.h"

#include <gtest/gtest.h>

#include "support/test_program.h"

namespace fortuna::testing {

namespace {
constexpr const char* kGreeting =
    "La fortuna de Vadod Brunilda. Escoja los personajes que desea controlar y pulse Enter "
    "cuando esté listo. ";
}

class StartScreenTest : public ::testing::Test {
 protected:
  StartScreenTest() { t.start(); }
  SpeechLog::Entry last() const { return t.log.entries.back(); }
  std::int16_t key(int code, int shift = 0) {
    auto c = static_cast<std::int16_t>(code);
    t.program.start_screen.Picture1_KeyDown(c, static_cast<std::int16_t>(shift));
    return c;
  }
  TestProgram t;
};

TEST_F(StartScreenTest, LoadGreetsAndAnnouncesTheFirstCharacter) {
  ASSERT_EQ(t.log.entries.size(), 1u);
  EXPECT_EQ(last().text, std::string(kGreeting) + "Bigotes, el gato andalúNo seleccionado");
  EXPECT_FALSE(last().wait_before);
  EXPECT_EQ(t.program.speech.Voces, (std::vector<std::string>{"Voz uno", "Voz dos", "Voz tres"}));
  EXPECT_EQ(t.program.speech.VozActual, 0);
  EXPECT_EQ(t.program.start_screen.PosicionLista, 1);
}

TEST_F(StartScreenTest, ArrowsWrapAroundTheRoster) {
  key(keys::kLeft);
  EXPECT_EQ(last().text, "Mister Felix Vaultman, su banquero de confianzaNo seleccionado");
  key(keys::kDown);
  EXPECT_EQ(t.program.start_screen.PosicionLista, 1);
  key(keys::kUp);
  key(keys::kRight);
  key(keys::kRight);
  EXPECT_EQ(last().text, "Sir Reginald, el apenado maridoNo seleccionado");
}

TEST_F(StartScreenTest, SpaceTogglesAndHintsTheRenameOnlyWhenSelecting) {
  key(keys::kSpace);
  EXPECT_EQ(t.roster()[1].Humano, kTrue);
  ASSERT_GE(t.log.entries.size(), 3u);
  EXPECT_EQ(t.log.entries[1].text, "Seleccionado");
  EXPECT_EQ(last().text, "Pulse f2 si desea cambiar el nombre del personaje");
  EXPECT_TRUE(last().wait_before);
  const auto before = t.log.entries.size();
  key(keys::kSpace);
  EXPECT_EQ(t.roster()[1].Humano, kFalse);
  EXPECT_EQ(t.log.entries.size(), before + 1);
  EXPECT_EQ(last().text, "No seleccionado");
}

TEST_F(StartScreenTest, RenameStoresTheTextExactlyAndAnnouncesAfterWaiting) {
  key(keys::kRight);
  t.platform.answers.push_back("  Doña Ñ <3> ");
  key(keys::kF2);
  ASSERT_EQ(t.platform.inputs.size(), 1u);
  EXPECT_EQ(t.platform.inputs[0].prompt, "Escriba el nombre del personaje y pulse enter:");
  EXPECT_EQ(t.platform.inputs[0].title, "Cambiar el nombre al personaje");
  EXPECT_EQ(t.platform.inputs[0].default_text, "Sir Reginald, el apenado marido");
  EXPECT_EQ(t.log.entries[t.log.entries.size() - 2].text,
            "Escriba el nombre del personaje y pulse enter: Sir Reginald, el apenado marido");
  EXPECT_EQ(t.roster()[2].Nombre, "  Doña Ñ <3> ");
  EXPECT_EQ(last().text, "  Doña Ñ <3> No seleccionado");
  EXPECT_TRUE(last().wait_before);
}

TEST_F(StartScreenTest, CancelledOrEmptyRenameKeepsTheName) {
  t.platform.answers.push_back("");
  key(keys::kF2);
  EXPECT_EQ(last().text, "Cancelado");
  EXPECT_FALSE(last().wait_before);
  EXPECT_EQ(t.roster()[1].Nombre, "Bigotes, el gato andalú");
}

TEST_F(StartScreenTest, RenameRepairsInvalidUtf8FromTheFrontEnd) {
  t.platform.answers.push_back("Pe\xFFpe");
  key(keys::kF2);
  EXPECT_EQ(t.roster()[1].Nombre, "Pe\xEF\xBF\xBDpe");
}

TEST_F(StartScreenTest, RateStopsAtTheLimitsTestedBeforeTheStep) {
  t.program.speech.set_rate(-49);
  key(keys::kF7);
  EXPECT_EQ(t.program.speech.rate(), -54);
  EXPECT_EQ(last().text, "Velocidad de la voz más lenta ");
  key(keys::kF7);
  EXPECT_EQ(t.program.speech.rate(), -54);
  EXPECT_EQ(last().text, "Velocidad mínima");
  t.program.speech.set_rate(49);
  key(keys::kF8);
  EXPECT_EQ(t.program.speech.rate(), 54);
  EXPECT_EQ(last().text, "Velocidad de la voz más rápida");
  key(keys::kF8);
  EXPECT_EQ(last().text, "Velocidad máxima");
  EXPECT_EQ(t.program.speech.rate(), 54);
}

TEST_F(StartScreenTest, AnyModifierMakesTheRateStepOne) {
  for (int modifier : {keys::kShift, keys::kCtrl, keys::kAlt, keys::kShift | keys::kAlt}) {
    t.program.speech.set_rate(0);
    key(keys::kF8, modifier);
    EXPECT_EQ(t.program.speech.rate(), 1);
    key(keys::kF7, modifier);
    key(keys::kF7, modifier);
    EXPECT_EQ(t.program.speech.rate(), -1);
  }
  t.program.speech.set_rate(0);
  key(keys::kF7);
  EXPECT_EQ(t.program.speech.rate(), -5);
}

TEST_F(StartScreenTest, VoiceKeysWrapAndOnlyF10IsSwallowed) {
  EXPECT_EQ(key(keys::kF9), keys::kF9);
  EXPECT_EQ(t.program.speech.VozActual, 2);
  EXPECT_EQ(t.engine.current_voice(), 2);
  EXPECT_EQ(last().text, "Voz tres");
  EXPECT_EQ(key(keys::kF10), 0);
  EXPECT_EQ(t.program.speech.VozActual, 0);
  EXPECT_EQ(last().text, "Voz uno");
}

TEST_F(StartScreenTest, ControlSilencesAndKeepsTheRepeatText) {
  key(keys::kRight);
  key(keys::kControl);
  EXPECT_EQ(last().text, "");
  EXPECT_EQ(t.program.speech.UltimoMensaje, "Sir Reginald, el apenado maridoNo seleccionado");
}

TEST_F(StartScreenTest, KeysNotInTheTableDoNothingAndSayNothing) {
  const auto before = t.log.entries.size();
  for (int code :
       {keys::kTab, int{'A'}, int{'H'}, keys::k1, keys::kF5, keys::kF6, keys::kF1, keys::kF4})
    key(code, code == keys::kF4 ? keys::kAlt : 0);
  EXPECT_EQ(t.log.entries.size(), before);
  EXPECT_TRUE(t.program.is_open(WindowId::Start));
  EXPECT_EQ(t.platform.beeps, 0);
}

TEST_F(StartScreenTest, EnterWithNobodySelectedStartsAComputerGame) {
  key(keys::kEnter);
  EXPECT_TRUE(t.program.is_open(WindowId::Main));
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(t.roster()[i].Humano, kFalse);
}

}  // namespace fortuna::testing
