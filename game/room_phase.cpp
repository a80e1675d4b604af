#include "game/computer_rules.h"
#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {

namespace {

// The turn order: the living in ascending number, then 200 exchanges of neighbours.
void draw_turn_order(GameState& w, const Roster& personajes, Random& random) {
  w.OrdenTurno.assign(1, 0);
  for (int j = 1; j <= kCharacters; ++j)
    if (personajes[static_cast<std::size_t>(j)].Vivo != 0)
      w.OrdenTurno.push_back(static_cast<std::int16_t>(j));
  const int n = w.turn_count();
  if (n >= 2) {
    for (int i = 0; i < 200; ++i) {
      const int r = static_cast<int>(random.x() * (n - 1)) + 1;
      Intercambia(w.OrdenTurno[static_cast<std::size_t>(r)],
                  w.OrdenTurno[static_cast<std::size_t>(r + 1)]);
    }
  }
  w.TurnoActual = 1;
}

CardView view_of(const GameState& w, int card) {
  const Carta& carta = w.Cartas.at(static_cast<std::size_t>(card));
  return {carta.Tipo, carta.Sala};
}

}  // namespace

void MainWindow::AsignaSalas(Bool16 Inicio) {
  if (Inicio != 0) {
    draw_turn_order(*this, Personajes, program_.random);
  } else if (TurnoActual < turn_count()) {
    ++TurnoActual;
  }
  if (turn_count() == 0) return;

  for (;;) {
    const int c = current_character();
    Personaje& p = Personajes[static_cast<std::size_t>(c)];
    if (p.Sala == -1) {
      if (p.Humano != 0) {
        std::string prompt = p.Nombre + ", es su turno de jugar. Sus cartas son: 1. " +
                             NombreCarta(p.Carta1) + " y 2. " + NombreCarta(p.Carta2) +
                             ". ¿A qué habitación desea ir? (pulse el número correspondiente).";
        for (int i = 1; i <= kRooms; ++i)
          if (SalaAbierta[i] != 0) prompt += std::to_string(i) + ". " + Salas[i] + ", ";
        Habla(prompt);
        Fase = kFaseSalas;
        return;
      }
      if (p.Carta2 < p.Carta1) Intercambia(p.Carta1, p.Carta2);
      p.Sala = computer_room(view_of(*this, p.Carta1), view_of(*this, p.Carta2), p.Agresivo != 0,
                             c == heir(), SalaAbierta, program_.random);
      Ocupantes[p.Sala] += occupant_entry(c);
    }
    if (TurnoActual >= turn_count()) break;
    ++TurnoActual;
  }

  std::string caption;
  for (int i = 1; i <= kRooms; ++i) {
    caption += Salas[i] + "\r\n";
    for (int j = 1; j <= kCharacters; ++j)
      if (room_holds(Ocupantes[i], j))
        caption += Personajes[static_cast<std::size_t>(j)].Nombre + "; ";
    caption += "\r\n";
  }
  set_label(caption);
  Habla("salas asignadas. Pulse espacio  para continuar ");
}

void MainWindow::room_key(int digit) {
  if (turn_count() == 0 || digit < 1 || digit > NumSalas) {
    beep();
    return;
  }
  const int c = current_character();
  Personaje& p = Personajes[static_cast<std::size_t>(c)];
  // Once placed, a character must not stand in a second room.
  if (p.Sala != -1) {
    beep();
    return;
  }
  p.Sala = digit;
  Ocupantes[digit] += occupant_entry(c);
  AsignaSalas(kFalse);
}

}  // namespace fortuna
