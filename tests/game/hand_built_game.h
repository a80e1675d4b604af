// A main window set up by hand, without a new game: the whole catalogue, four open rooms,
// everybody alive in the drawing room with empty hands, the line of succession 1..10 with
// character 1 as heir, an empty pile.
#pragma once

#include <string>

#include "model/deck.h"
#include "support/test_program.h"

namespace fortuna::testing {

struct HandBuiltGame {
  HandBuiltGame() {
    IniciaPersonajes(t.roster(), t.program.random);
    w.Cartas.assign(1, Carta{});
    for (std::size_t i = 0; i < card_catalogue().size(); ++i) {
      const CardSpec& spec = card_catalogue()[i];
      w.Cartas.push_back(Carta{static_cast<std::int16_t>(i + 1), spec.tipo,
                               std::string(spec.descripcion), spec.sala, spec.con_objetivo});
    }
    const char* names[] = {"El salón", "La cocina", "La biblioteca", "El dormitorio"};
    w.Salas[-1] = "Indeterminado";
    for (int room = 1; room <= kRooms; ++room) {
      w.Salas[room] = names[room - 1];
      w.SalaAbierta[room] = kTrue;
    }
    w.NumSalas = kRooms;
    for (int i = 1; i <= kCharacters; ++i) w.Sucesion[i] = static_cast<std::int16_t>(i);
    w.Heredero = 1;
    w.Fase = kFaseResolucion;
    for (int c = 1; c <= kCharacters; ++c) {
      Personaje& p = who(c);
      p.Sala = 1;
      p.CartaElegida = 1;
    }
  }

  Personaje& who(int c) { return t.roster()[static_cast<std::size_t>(c)]; }

  // c plays card from slot 1 on target, keeping card `kept` in slot 2.
  void play(int c, int card, int target = 0, int kept = 0) {
    Personaje& p = who(c);
    p.Carta1 = static_cast<std::int16_t>(card);
    p.Carta2 = static_cast<std::int16_t>(kept);
    p.CartaElegida = 1;
    p.Objetivo = static_cast<std::int16_t>(target);
  }
  void discard(int c, int card) {
    play(c, card);
    who(c).Descartar = kTrue;
  }
  // Dead on an earlier night: no cards, no choice.
  void dead(int c) {
    Personaje& p = who(c);
    p.Vivo = kFalse;
    p.CartaElegida = 0;
  }
  bool alive(int c) { return who(c).Vivo != 0; }

  // The first spoken text that begins with one of the executor's morning openings.
  std::string news() const {
    for (const auto& e : t.log.entries) {
      if (e.text.rfind("Un nuevo día comienza", 0) == 0 ||
          e.text.rfind("Mister Paul Mastiff ", 0) == 0)
        return e.text;
    }
    return {};
  }
  bool spoke_starting_with(const std::string& start) const {
    for (const auto& e : t.log.entries)
      if (e.text.rfind(start, 0) == 0) return true;
    return false;
  }

  TestProgram t;
  MainWindow& w = t.main();
};

}  // namespace fortuna::testing
