#include <gtest/gtest.h>

#include "support/test_program.h"

namespace fortuna::testing {
namespace {

const std::string kPrompt =
    "La partida ha terminado, pulse 1 para volver a empezar o escape  para salir.";

TEST(EndOfGame, EachWayOfEndingHasItsSceneThenThePromptAfterWaiting) {
  const struct {
    std::int16_t motivo, ganador;
    std::vector<int> alive;
    std::string scene;  // empty: only the prompt
  } cases[] = {
      // clang-format off
      {1, 6, {1, 6},
       "Tras salir en plena noche de la casa, Anselmo, el chófer se presenta a primera hora  en "
       "las oficinas de Mister Paul Mástiff. - ¿Así que es usted finalmente quien se convertirá "
       "en multimillonario? ¡Mi enhorabuena! Fírmeme aquí y aquí y yo me encargaré de que sus "
       "parientes dejen la casa inmediatamente para que pueda entrar a vivir cuanto antes. ¡Ah! "
       "y ya sabe  que nuestra firma ha representado a su familia durante generaciones, "
       "esperamos seguir teniendo su confianza"},
      {2, -1, {},
       "El señor Mástiff, al llegar por la mañana como de costumbre, descubre que no queda nadie "
       "vivo en la casa. - ¡Qué familia tan curiosa! han preferido matarse entre ellos que "
       "llegar a un acuerdo y repartir la fortuna. En fin, el dinero le vendrá muy bien a la "
       "sociedad protectora de animales. -  Y diciendo ésto, cierra de nuevo la casa y se "
       "marcha."},
      // two alive: the lower number is named
      {3, -1, {9, 3},
       "Mister Paul Mástiff llega a la casa como todas las mañanas y finalmente sólo encuentra a "
       "una persona desaiunando. - Bien, así que es usted, Vanessa, la hija pija quien recibirá "
       "la fortuna. Mi Enhorabuena. Aquí tiene las llaves de su casa, y si me firma aquí y aquí "
       "todo quedará    cerrado. Me alegro de que este fastidioso asunto se haya resuelto  a su "
       "favor. Mucha suerte, y ya sabe que nuestra firma ha representado a su familia durante "
       "muchas generaciones..."},
      {0, 3, {3}, ""},
      {3, -1, {}, ""},   // no survivor to name
      {1, -1, {3}, ""},  // no winner to name
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "Motivo " << c.motivo << " Ganador " << c.ganador);
    TestProgram t;
    t.start_game();
    for (int i = 1; i <= kCharacters; ++i) t.roster()[static_cast<std::size_t>(i)].Vivo = kFalse;
    for (int i : c.alive) t.roster()[static_cast<std::size_t>(i)].Vivo = kTrue;
    t.log.entries.clear();
    t.main().FinPartida(c.motivo, c.ganador);
    std::vector<std::string> said = {kPrompt};
    if (!c.scene.empty()) said.insert(said.begin(), c.scene);
    ASSERT_EQ(t.log.texts(), said);
    for (const auto& e : t.log.entries) {
      EXPECT_EQ(e.wait_before, e.text == kPrompt);
      EXPECT_FALSE(e.wait_after);
    }
    EXPECT_EQ(t.main().Fase, kFaseFin);
    EXPECT_EQ(t.program.speech.UltimoMensaje, kPrompt);
  }
}

}  // namespace
}  // namespace fortuna::testing
