// A main window set up by hand for the day's phases: four rooms, a roster of computer
// characters with no room yet, character 1 the heir, and a catalogue built card by card.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/test_program.h"

namespace fortuna::testing {

class DayFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Salas[-1] = "Indeterminado";
    w.Salas[1] = "El salón";
    w.Salas[2] = "La cocina";
    w.Salas[3] = "La biblioteca";
    w.Salas[4] = "El dormitorio";
    open_rooms(4);
    w.Cartas.assign(1, Carta{});
    Random tempers;
    IniciaPersonajes(t.roster(), tempers);
    for (int c = 1; c <= kCharacters; ++c) {
      who(c).Sala = -1;
      who(c).Agresivo = kFalse;
    }
    for (int i = 1; i <= 10; ++i) w.Sucesion[i] = static_cast<std::int16_t>(i);
    w.Heredero = 1;
    w.Fase = kFaseSalas;
  }

  Personaje& who(int c) { return t.roster()[static_cast<std::size_t>(c)]; }
  const std::string& name(int c) { return who(c).Nombre; }

  void open_rooms(int n) {
    w.SalaAbierta.fill(kFalse);
    for (int i = 1; i <= n; ++i) w.SalaAbierta[i] = kTrue;
    w.NumSalas = static_cast<std::int16_t>(n);
  }

  // A new card of the catalogue; returns its index.
  std::int16_t card(int tipo, int sala = -1, std::string descripcion = "") {
    Carta carta;
    carta.Numero = static_cast<std::int16_t>(w.Cartas.size());
    carta.Tipo = tipo;
    carta.Sala = sala;
    carta.ConObjetivo = to_bool16(tipo == 3 || tipo == 5 || tipo == 6);
    carta.Descripcion =
        descripcion.empty() ? "Carta " + std::to_string(carta.Numero) + ": de prueba" : descripcion;
    w.Cartas.push_back(carta);
    return carta.Numero;
  }
  void hand(int c, std::int16_t carta1, std::int16_t carta2) {
    who(c).Carta1 = carta1;
    who(c).Carta2 = carta2;
  }
  // Every living character a hand of two weak defences.
  void plain_hands() {
    for (int c = 1; c <= kCharacters; ++c) {
      const auto first = card(8);
      hand(c, first, card(8));
    }
  }
  void only_alive(std::initializer_list<int> alive) {
    for (int c = 1; c <= kCharacters; ++c) who(c).Vivo = kFalse;
    for (int c : alive) who(c).Vivo = kTrue;
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

  TestProgram t;
  MainWindow& w = t.main();
};

}  // namespace fortuna::testing
