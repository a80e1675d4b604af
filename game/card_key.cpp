#include "game/main_window.h"
#include "game/platform.h"
#include "game/program.h"

namespace fortuna {

namespace {

// The spoken list of the targets on offer, numbered 1, 2, 3... up to the first 0.
std::string target_list(const GameState& w, const Roster& personajes, int& listed) {
  std::string text = " Indique con qué heredero desea usar esa carta: ";
  listed = 0;
  for (int k = 1; k <= 10 && w.Objetivos[k] != 0; ++k) {
    text += std::to_string(k) + ". " + personajes[static_cast<std::size_t>(w.Objetivos[k])].Nombre +
            ", ";
    listed = k;
  }
  return text;
}

}  // namespace

void MainWindow::card_key(int digit, std::int16_t Shift) {
  if (turn_count() == 0 || (digit != 1 && digit != 2)) {
    beep();
    return;
  }
  const int c = current_character();
  Personaje& p = Personajes[static_cast<std::size_t>(c)];
  // The computer's plays are its own, also once the phase has closed on one of them.
  if (p.Humano == 0) {
    beep();
    return;
  }
  p.Descartar = kFalse;
  p.CartaElegida = static_cast<std::int16_t>(digit);
  if ((Shift & keys::kCtrl) != 0) p.Descartar = kTrue;
  p.Objetivo = 0;
  const Carta& card = Cartas.at(static_cast<std::size_t>(digit == 1 ? p.Carta1 : p.Carta2));
  const int k = card.Tipo;
  if (p.Descartar != 0 || (k != 3 && k != 5 && k != 6) || (k == 5 && p.Sala != card.Sala)) {
    SeleccionaCartas(kFalse);
    return;
  }

  Habla("Elija el jugador con el que va a realizar la acción");
  Objetivos.fill(0);
  int free = 1;
  for (int j = 1; j <= kCharacters; ++j) {
    const Personaje& other = Personajes[static_cast<std::size_t>(j)];
    if (j == c || other.Vivo == 0) continue;
    if (k == 5 && !(p.Sala >= 1 && p.Sala <= kRooms && room_holds(Ocupantes[p.Sala], j))) continue;
    Objetivos[free++] = static_cast<std::int16_t>(j);
  }
  NumObjetivos = 0;
  if (Objetivos[1] == 0) {
    Habla("No hay ningún heredero  con el que pueda usar esa carta. Pulse espacio para continuar.");
    SeleccionaCartas(kFalse);
    return;
  }
  speak_target_list();
  Fase = kFaseObjetivo;
}

void MainWindow::target_key(int digit) {
  if (digit != 0 && digit <= NumObjetivos) {
    Personajes[static_cast<std::size_t>(current_character())].Objetivo = Objetivos[digit];
    Fase = kFaseCartas;
    SeleccionaCartas(kFalse);
    return;
  }
  Habla("Sólo hay " + std::to_string(NumObjetivos) +
        " objetivos para elegir. Pulse espacio para escuchar sus nombres de nuevo");
}

void MainWindow::speak_target_list() {
  int listed = 0;
  const std::string text = target_list(*this, Personajes, listed);
  NumObjetivos = static_cast<std::int16_t>(listed);
  Habla(text);
}

}  // namespace fortuna
