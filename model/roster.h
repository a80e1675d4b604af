// The ten heirs and the pseudo-character "Nadie en especial", for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "model/random.h"
#include "model/types.h"

namespace fortuna {

struct Personaje {
  std::int16_t Numero = 0;
  std::string Nombre;
  Bool16 Humano = kFalse;
  Bool16 Agresivo = kFalse;
  std::int32_t Sala = 0;  // 1..4, -1 while not chosen today
  Bool16 Vivo = kFalse;
  std::int16_t Carta1 = 0;
  std::int16_t Carta2 = 0;
  std::int16_t CartaElegida = 0;  // 1 or 2; 0 not chosen yet
  Bool16 Descartar = kFalse;
  std::int16_t Objetivo = 0;  // 0 = nobody
};

inline constexpr int kCharacters = 10;

// Slots 0..10; slot 0 is "Nadie en especial".
using Roster = std::array<Personaje, kCharacters + 1>;

// Fills the roster once per run: names, slot numbers, room 1, alive, tempers (one draw each).
void IniciaPersonajes(Roster& personajes, Random& random);

template <typename T>
void Intercambia(T& a, T& b) {
  T copy = std::move(a);
  a = std::move(b);
  b = std::move(copy);
}

}  // namespace fortuna
