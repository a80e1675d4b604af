#include "game/computer_rules.h"
#include "game/main_window.h"
#include "game/program.h"
#include "model/text.h"

namespace fortuna {

namespace {

const Carta& played_card(const GameState& w, const Personaje& p) {
  const int card = p.CartaElegida == 1 ? p.Carta1 : p.Carta2;
  return w.Cartas.at(static_cast<std::size_t>(card));
}

const std::string& room_string(const GameState& w, int sala) {
  static const std::string nobody;
  return sala >= 1 && sala <= kRooms ? w.Ocupantes[sala] : nobody;
}

}  // namespace

std::string MainWindow::situation_text(int c) const {
  const Personaje& p = Personajes[static_cast<std::size_t>(c)];
  const std::string& room = room_string(*this, p.Sala);
  std::string companions;
  for (int j = 1; j <= kCharacters; ++j)
    if (j != c && room_holds(room, j))
      companions += Personajes[static_cast<std::size_t>(j)].Nombre + ", ";
  std::string text =
      " está en " + (p.Sala >= -1 && p.Sala <= kRooms ? Salas[p.Sala] : std::string());
  text += companions.empty() ? " y no hay nadie más con usted. " : " junto a " + companions;
  return text + " Recuerde que  sus cartas son: 1. " + NombreCarta(p.Carta1) + " y 2. " +
         NombreCarta(p.Carta2) +
         ". ¿Qué carta desea utilizar? (pulse 1 o 2, y Si desea descartar una carta sin "
         "utilizarla, mantenga pulsada la tecla control)";
}

void MainWindow::SeleccionaCartas(Bool16 Inicio) {
  if (Inicio != 0) {
    TurnoActual = 1;
  } else if (TurnoActual < turn_count()) {
    ++TurnoActual;
  }
  if (turn_count() == 0) return;

  for (;;) {
    const int c = current_character();
    Personaje& p = Personajes[static_cast<std::size_t>(c)];
    const std::string& room = room_string(*this, p.Sala);
    if (p.Humano != 0 && p.Vivo != 0) {
      if (p.CartaElegida < 1) {
        const std::string prompt = p.Nombre + ", es su turno de jugar." + situation_text(c);
        Habla(prompt);
        Fase = kFaseCartas;
        return;
      }
    } else {
      const Carta& card1 = Cartas.at(static_cast<std::size_t>(p.Carta1));
      const Carta& card2 = Cartas.at(static_cast<std::size_t>(p.Carta2));
      p.CartaElegida = static_cast<std::int16_t>(
          computer_card(card1.Tipo, card2.Tipo, p.Agresivo != 0, c == heir(), program_.random));
      p.Objetivo = 0;
      const Carta& chosen = played_card(*this, p);
      if (chosen.ConObjetivo != 0) {
        // A strong attack aims at the attacker's own room, even when played outside its room.
        const int target = chosen.Sala != -1 ? strong_attack_target(room, c, program_.random)
                                             : anywhere_target(Personajes, c, program_.random);
        p.Objetivo = static_cast<std::int16_t>(target);
      }
    }
    if (TurnoActual >= turn_count()) break;
    ++TurnoActual;
  }

  std::string caption = "Carttas seleccionadas \r\n";
  for (int i = 1; i <= turn_count(); ++i) {
    const Personaje& p =
        Personajes[static_cast<std::size_t>(OrdenTurno[static_cast<std::size_t>(i)])];
    caption += p.Nombre + "(En " + Salas[p.Sala] + " " +
               std::to_string(occupant_count(room_string(*this, p.Sala))) + ") usa la carta " +
               first_chars(played_card(*this, p).Descripcion, 30) + " contra " +
               Personajes[static_cast<std::size_t>(p.Objetivo)].Nombre + "\r\n";
  }
  set_label(caption);
  Habla("cartas seleccionadas. Pulse espacio para continuar");
}

}  // namespace fortuna
