// The main window's keys: what a key means depends on the phase of the day.
#include <string>

#include "game/main_window.h"
#include "game/platform.h"
#include "game/program.h"
#include "game/voice_keys.h"

namespace fortuna {

namespace {

// The character being served, or 0 when the turn order does not reach TurnoActual.
int current_or_nobody(const GameState& state) {
  if (state.TurnoActual < 1 || state.TurnoActual > state.turn_count()) return 0;
  return state.current_character();
}

}  // namespace

void MainWindow::Form_KeyDown(std::int16_t& KeyCode, std::int16_t Shift) {
  const int code = KeyCode;
  SpeechChannel& speech = program_.speech;

  if (code == keys::kControl) Habla("");

  if (code >= keys::k0 && code <= keys::k9) {
    const int d = code - keys::k0;
    if (Fase == kFaseSalas && d >= 1 && d <= NumSalas) {
      room_key(d);
    } else if (Fase == kFaseCartas && (d == 1 || d == 2)) {
      card_key(d, Shift);
    } else if (Fase == kFaseObjetivo) {
      target_key(d);
    } else if (Fase == kFaseFin) {
      if (d == 1) Form_Load();
    } else {
      beep();
    }
    return;
  }

  const int c = current_or_nobody(*this);
  Personaje& current = Personajes[static_cast<std::size_t>(c)];

  switch (code) {
    case keys::kEscape:
      program_.close_window(WindowId::Main);
      return;
    case keys::kF4:
      if ((Shift & keys::kAlt) != 0) program_.close_window(WindowId::Main);
      return;
    case keys::kF5:
      Habla(speech.UltimoMensaje);
      return;
    case keys::kF6:
      DescripcionCorta = static_cast<Bool16>(~DescripcionCorta);
      Habla(std::string("Descripción ") + (DescripcionCorta != 0 ? " corta " : " larga ") +
            " de las cartas");
      return;
    case keys::kF7:
    case keys::kF8:
      rate_key(speech, code, Shift, "Velocidad de la voz más lenta");
      return;
    case keys::kF9:
    case keys::kF10:
      voice_key(speech, code);
      if (code == keys::kF10) KeyCode = 0;
      return;
    case keys::kH:
      if (Heredero >= 1 && Heredero <= 10)
        Habla("El heredero actual es " + Personajes[static_cast<std::size_t>(heir())].Nombre);
      return;
    case keys::kC:
      if ((Fase == kFaseSalas || Fase == kFaseCartas) && c != 0 && current.Humano != 0)
        Habla("Sus cartas son: 1. " + NombreCarta(current.Carta1) + " y 2. " +
              NombreCarta(current.Carta2));
      return;
    case keys::kP:
      if (Fase == kFaseCartas && c != 0 && current.CartaElegida < 1) Habla(situation_text(c));
      return;
    case keys::kSpace:
    case keys::kF2:
      break;
    default:
      return;
  }

  // The advance.
  if (Fase == kFaseSalas && current.Sala < 1) {
    Habla("Primero debe seleccionar una de las salas. Pulse un número del 1 al " +
          std::to_string(NumSalas));
    return;
  }
  if (Fase == kFaseCartas && current.CartaElegida < 1) {
    Habla(
        "Primero debe seleccionar una de las cartas. Pulse la tecla C para escuchar sus cartas y "
        "después pulse 1 o 2 para elegir una de ellas.");
    return;
  }
  if (Fase == kFaseObjetivo) {
    speak_target_list();
    return;
  }
  if (Fase == kFaseFin) return;
  ++Fase;
  if (Fase == kFaseSalas) {
    AsignaSalas(kTrue);
  } else if (Fase == kFaseCartas) {
    SeleccionaCartas(kTrue);
  } else if (Fase == kFaseResolucion) {
    ResuelveDia();
  }
  KeyCode = 0;
}

}  // namespace fortuna
