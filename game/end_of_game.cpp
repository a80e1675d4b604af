// The executor's closing scene for the way the game ended, and the closing prompt.
#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {

namespace {

// clang-format off
constexpr const char* kHeirLeavesBefore = "Tras salir en plena noche de la casa, ";
constexpr const char* kHeirLeavesAfter = " se presenta a primera hora  en las oficinas de Mister Paul Mástiff. - ¿Así que es usted finalmente quien se convertirá en multimillonario? ¡Mi enhorabuena! Fírmeme aquí y aquí y yo me encargaré de que sus parientes dejen la casa inmediatamente para que pueda entrar a vivir cuanto antes. ¡Ah! y ya sabe  que nuestra firma ha representado a su familia durante generaciones, esperamos seguir teniendo su confianza";
constexpr const char* kNobodyLeft = "El señor Mástiff, al llegar por la mañana como de costumbre, descubre que no queda nadie vivo en la casa. - ¡Qué familia tan curiosa! han preferido matarse entre ellos que llegar a un acuerdo y repartir la fortuna. En fin, el dinero le vendrá muy bien a la sociedad protectora de animales. -  Y diciendo ésto, cierra de nuevo la casa y se marcha.";
constexpr const char* kOneLeftBefore = "Mister Paul Mástiff llega a la casa como todas las mañanas y finalmente sólo encuentra a una persona desaiunando. - Bien, así que es usted, ";
constexpr const char* kOneLeftAfter = " quien recibirá la fortuna. Mi Enhorabuena. Aquí tiene las llaves de su casa, y si me firma aquí y aquí todo quedará    cerrado. Me alegro de que este fastidioso asunto se haya resuelto  a su favor. Mucha suerte, y ya sabe que nuestra firma ha representado a su familia durante muchas generaciones...";
constexpr const char* kClosingPrompt = "La partida ha terminado, pulse 1 para volver a empezar o escape  para salir.";
// clang-format on

enum : std::int16_t { kHeirLeft = 1, kNobodyAlive = 2, kOneAlive = 3 };

}  // namespace

void MainWindow::FinPartida(std::int16_t Motivo, std::int16_t Ganador) {
  std::string scene;
  if (Motivo == kHeirLeft) {
    if (Ganador >= 1 && Ganador <= kCharacters)
      scene = kHeirLeavesBefore + Personajes[static_cast<std::size_t>(Ganador)].Nombre +
              kHeirLeavesAfter;
  } else if (Motivo == kNobodyAlive) {
    scene = kNobodyLeft;
  } else if (Motivo == kOneAlive) {
    // The survivor is the first living one; with nobody alive there is nobody to name.
    for (int i = 1; i <= kCharacters; ++i) {
      const Personaje& p = Personajes[static_cast<std::size_t>(i)];
      if (p.Vivo != 0) {
        scene = kOneLeftBefore + p.Nombre + kOneLeftAfter;
        break;
      }
    }
  }
  if (!scene.empty()) Habla(scene, kFalse, kFalse);
  // Waits for the executor to finish before the prompt.
  Habla(kClosingPrompt, kTrue, kFalse);
  Fase = kFaseFin;
}

}  // namespace fortuna
