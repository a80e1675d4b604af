#include "start/start_screen.h"

#include <string>

#include "game/platform.h"
#include "game/program.h"
#include "game/voice_keys.h"

namespace fortuna {

namespace {
std::string state_word(Bool16 humano) {
  return humano != 0 ? "Seleccionado" : "No seleccionado";
}
}  // namespace

void StartScreen::Form_Load() {
  SpeechChannel& voz = program_.speech;
  voz.CreaVoz();
  voz.CargaVoces();
  voz.VozActual = 0;
  IniciaPersonajes(program_.Personajes, program_.random);
  PosicionLista = 1;
  const Personaje& first = program_.Personajes[1];
  voz.Habla(
      "La fortuna de Vadod Brunilda. Escoja los personajes que desea controlar y pulse Enter "
      "cuando esté listo. " +
          first.Nombre + state_word(first.Humano),
      kFalse, kFalse);
}

void StartScreen::announce_current(bool wait_before) {
  const Personaje& p = program_.Personajes[PosicionLista];
  program_.speech.Habla(p.Nombre + state_word(p.Humano), to_bool16(wait_before), kFalse);
}

void StartScreen::Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t Shift) {
  SpeechChannel& voz = program_.speech;
  switch (KeyCode) {
    case keys::kControl:
      voz.Habla("", kFalse, kFalse);
      break;
    case keys::kLeft:
    case keys::kUp:
      if (--PosicionLista < 1) PosicionLista = 10;
      announce_current(false);
      break;
    case keys::kRight:
    case keys::kDown:
      if (++PosicionLista > 10) PosicionLista = 1;
      announce_current(false);
      break;
    case keys::kSpace: {
      Personaje& p = program_.Personajes[PosicionLista];
      p.Humano = static_cast<Bool16>(~p.Humano);
      voz.Habla(state_word(p.Humano), kFalse, kFalse);
      if (p.Humano != 0)
        voz.Habla("Pulse f2 si desea cambiar el nombre del personaje", kTrue, kFalse);
      break;
    }
    case keys::kF2:
      rename_current();
      break;
    case keys::kEscape:
      program_.close_window(WindowId::Start);
      break;
    case keys::kEnter:
      program_.show_window(WindowId::Main);
      program_.close_window(WindowId::Start);
      break;
    case keys::kF7:
    case keys::kF8:
      rate_key(voz, KeyCode, Shift, "Velocidad de la voz más lenta ");
      break;
    case keys::kF9:
    case keys::kF10:
      voice_key(voz, KeyCode);
      if (KeyCode == keys::kF10) KeyCode = 0;
      break;
    default:
      break;
  }
}

void StartScreen::rename_current() {
  SpeechChannel& voz = program_.speech;
  Personaje& p = program_.Personajes[PosicionLista];
  voz.Habla("Escriba el nombre del personaje y pulse enter: " + p.Nombre, kFalse, kFalse);
  std::string name = program_.input_box(
      "Escriba el nombre del personaje y pulse enter:", "Cambiar el nombre al personaje", p.Nombre);
  if (name.empty()) {
    voz.Habla("Cancelado", kFalse, kFalse);
    return;
  }
  p.Nombre = std::move(name);
  announce_current(true);
}

}  // namespace fortuna
