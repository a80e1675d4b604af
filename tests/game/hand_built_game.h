// A main window set up by hand, without a new game: the whole catalogue, four open rooms,
// everybody alive, calm, with no room and no card, the line of succession 1..10 with
// character 1 as heir, an empty pile. Cards made by card() come after the catalogue's 40.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/deck.h"
#include "support/test_program.h"

namespace fortuna::testing {

struct HandBuiltGame {
  HandBuiltGame() {
    IniciaPersonajes(t.roster(), t.program.random);
    w.Cartas.assign(1, Carta{});
    for (const CardEntry& entry : card_catalogue())
      card(entry.tipo, entry.sala, std::string(entry.descripcion));
    const char* names[] = {"Indeterminado", "El salón", "La cocina", "La biblioteca",
                           "El dormitorio"};
    for (int room = -1; room <= kRooms; ++room)
      if (room != 0) w.Salas[room] = names[room == -1 ? 0 : room];
    open_rooms(kRooms);
    for (int c = 1; c <= kCharacters; ++c) {
      who(c).Sala = -1;
      who(c).Agresivo = kFalse;
      w.Sucesion[c] = static_cast<std::int16_t>(c);
    }
    w.Heredero = 1;
    w.Fase = kFaseSalas;
  }

  Personaje& who(int c) { return t.roster()[static_cast<std::size_t>(c)]; }
  const std::string& name(int c) { return who(c).Nombre; }
  bool alive(int c) { return who(c).Vivo != 0; }

  void open_rooms(int n) {
    w.SalaAbierta.fill(kFalse);
    for (int i = 1; i <= n; ++i) w.SalaAbierta[i] = kTrue;
    w.NumSalas = static_cast<std::int16_t>(n);
  }
  // A new card at the end of the catalogue; returns its number.
  std::int16_t card(int tipo, int sala = -1, std::string descripcion = "") {
    const auto n = static_cast<std::int16_t>(w.Cartas.size());
    if (descripcion.empty()) descripcion = "Carta " + std::to_string(n) + ": de prueba";
    w.Cartas.push_back(
        Carta{n, tipo, descripcion, sala, to_bool16(tipo == 3 || tipo == 5 || tipo == 6)});
    return n;
  }
  void hand(int c, int carta1, int carta2) {
    who(c).Carta1 = static_cast<std::int16_t>(carta1);
    who(c).Carta2 = static_cast<std::int16_t>(carta2);
  }
  // Every character a hand of two weak defences of its own.
  void plain_hands() {
    for (int c = 1; c <= kCharacters; ++c) {
      const auto first = card(8);
      hand(c, first, card(8));
    }
  }
  void only_alive(std::initializer_list<int> alive) {
    for (int c = 1; c <= kCharacters; ++c)
      who(c).Vivo = to_bool16(std::ranges::count(alive, c) != 0);
  }
  // Dead on an earlier night: no cards, no choice.
  void dead(int c) {
    who(c).Vivo = kFalse;
    who(c).CartaElegida = 0;
  }
  void place(int c, int room) {
    who(c).Sala = room;
    w.Ocupantes[room] += occupant_entry(c);
  }
  // Today's order as given, served from its first position, in the card phase.
  void order(std::initializer_list<int> characters) {
    w.OrdenTurno.assign(1, 0);
    for (int c : characters) w.OrdenTurno.push_back(static_cast<std::int16_t>(c));
    w.TurnoActual = 1;
    w.Fase = kFaseCartas;
  }
  // c plays card from slot 1 on target, keeping card `kept` in slot 2.
  void play(int c, int card, int target = 0, int kept = 0) {
    hand(c, card, kept);
    who(c).CartaElegida = 1;
    who(c).Objetivo = static_cast<std::int16_t>(target);
  }

  TestProgram t;
  MainWindow& w = t.main();
};

}  // namespace fortuna::testing
