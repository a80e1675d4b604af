#include <gtest/gtest.h>

#include "support/test_program.h"

namespace fortuna::testing {
namespace {

const std::string kPrompt =
    "La partida ha terminado, pulse 1 para volver a empezar o escape  para salir.";

// The texts spoken by FinPartida, each checked for its wait flags on the way.
std::vector<std::string> finish(TestProgram& t, std::int16_t motivo, std::int16_t ganador) {
  t.log.entries.clear();
  t.main().FinPartida(motivo, ganador);
  std::vector<std::string> texts = t.log.texts();
  EXPECT_FALSE(t.log.entries.empty());
  if (t.log.entries.empty()) return texts;
  const auto& prompt = t.log.entries.back();
  EXPECT_EQ(prompt.text, kPrompt);
  EXPECT_TRUE(prompt.wait_before);
  EXPECT_FALSE(prompt.wait_after);
  if (t.log.entries.size() == 2) {
    EXPECT_FALSE(t.log.entries[0].wait_before);
    EXPECT_FALSE(t.log.entries[0].wait_after);
  }
  EXPECT_EQ(t.main().Fase, kFaseFin);
  EXPECT_EQ(t.program.speech.UltimoMensaje, kPrompt);
  return texts;
}

TEST(EndOfGame, TheHeirWhoLeftWithTheKeysIsReceivedByTheExecutor) {
  TestProgram t;
  t.start_game();
  const auto texts = finish(t, 1, 6);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(
      texts[0],
      "Tras salir en plena noche de la casa, Anselmo, el chófer se presenta a primera hora  en "
      "las oficinas de Mister Paul Mástiff. - ¿Así que es usted finalmente quien se convertirá "
      "en multimillonario? ¡Mi enhorabuena! Fírmeme aquí y aquí y yo me encargaré de que sus "
      "parientes dejen la casa inmediatamente para que pueda entrar a vivir cuanto antes. ¡Ah! "
      "y ya sabe  que nuestra firma ha representado a su familia durante generaciones, "
      "esperamos seguir teniendo su confianza");
}

TEST(EndOfGame, NobodyLeftAlive) {
  TestProgram t;
  t.start_game();
  const auto texts = finish(t, 2, -1);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(
      texts[0],
      "El señor Mástiff, al llegar por la mañana como de costumbre, descubre que no queda nadie "
      "vivo en la casa. - ¡Qué familia tan curiosa! han preferido matarse entre ellos que "
      "llegar a un acuerdo y repartir la fortuna. En fin, el dinero le vendrá muy bien a la "
      "sociedad protectora de animales. -  Y diciendo ésto, cierra de nuevo la casa y se "
      "marcha.");
}

TEST(EndOfGame, TheLastOneStandingIsTheFirstLivingInRosterOrder) {
  TestProgram t;
  t.start_game();
  for (int i = 1; i <= kCharacters; ++i) t.roster()[static_cast<std::size_t>(i)].Vivo = kFalse;
  t.roster()[9].Vivo = kTrue;
  t.roster()[3].Vivo = kTrue;  // two alive: the lower number is named
  const auto texts = finish(t, 3, -1);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(
      texts[0],
      "Mister Paul Mástiff llega a la casa como todas las mañanas y finalmente sólo encuentra a "
      "una persona desaiunando. - Bien, así que es usted, Vanessa, la hija pija quien recibirá "
      "la fortuna. Mi Enhorabuena. Aquí tiene las llaves de su casa, y si me firma aquí y aquí "
      "todo quedará    cerrado. Me alegro de que este fastidioso asunto se haya resuelto  a su "
      "favor. Mucha suerte, y ya sabe que nuestra firma ha representado a su familia durante "
      "muchas generaciones...");
}

TEST(EndOfGame, AnUnknownWayOfEndingSpeaksOnlyThePrompt) {
  for (std::int16_t motivo : {0, 4}) {
    TestProgram t;
    t.start_game();
    EXPECT_EQ(finish(t, motivo, 3).size(), 1u) << motivo;
  }
}

TEST(EndOfGame, NoSurvivorToNameOrNoWinnerToNameSpeaksOnlyThePrompt) {
  TestProgram t;
  t.start_game();
  for (int i = 1; i <= kCharacters; ++i) t.roster()[static_cast<std::size_t>(i)].Vivo = kFalse;
  EXPECT_EQ(finish(t, 3, -1).size(), 1u);
  EXPECT_EQ(finish(t, 1, -1).size(), 1u);
}

}  // namespace
}  // namespace fortuna::testing
