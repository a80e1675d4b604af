// The main window's game: rooms, cards, the pile, the line of succession, the day's phase.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/types.h"

namespace fortuna {

struct Carta {
  std::int16_t Numero = 0;
  std::int32_t Tipo = 0;  // 1 keys, 2 heir change, 3 swap, 4 hiding, 5/6 attack, 7/8 defence
  std::string Descripcion;
  std::int32_t Sala = 0;  // 1..4, -1 any room
  Bool16 ConObjetivo = kFalse;
};

// Phases of a day.
enum : std::int16_t {
  kFaseInicioDia = 1,
  kFaseSalas = 2,
  kFaseCartas = 3,
  kFaseObjetivo = 31,
  kFaseResolucion = 4,
  kFaseFin = 5,
};

inline constexpr int kRooms = 4;
inline constexpr int kPileSize = 40;

struct GameState {
  OffsetArray<std::int16_t, 1, 10> Sucesion{};
  std::int16_t Heredero = 0;
  std::vector<Carta> Cartas;  // 0..40; entry 0 is the empty card
  OffsetArray<std::int16_t, 1, kPileSize> Mazo{};
  std::int16_t Fase = 0;
  std::vector<std::int16_t> OrdenTurno;  // used from index 1; index 0 is unused
  std::int16_t TurnoActual = 0;
  OffsetArray<std::string, -1, kRooms> Salas{};
  OffsetArray<Bool16, -1, kRooms> SalaAbierta{};
  std::int16_t NumSalas = 0;
  OffsetArray<std::string, 1, kRooms> Ocupantes{};
  OffsetArray<std::int16_t, 1, 10> Objetivos{};
  std::int16_t NumObjetivos = 0;
  Bool16 DescripcionCorta = kFalse;

  // Upper bound of OrdenTurno (its number of entries); 0 before the first room phase.
  int turn_count() const {
    return OrdenTurno.empty() ? 0 : static_cast<int>(OrdenTurno.size()) - 1;
  }
  // The character whose number stands at TurnoActual of OrdenTurno.
  int current_character() const { return OrdenTurno.at(static_cast<std::size_t>(TurnoActual)); }
  // The character at position Heredero of Sucesion.
  int heir() const { return Sucesion[Heredero]; }
};

// The entry a character leaves in a room's string of Ocupantes: "0", its number, "; ".
std::string occupant_entry(int character);
// Whether the room string holds the character: "0", its number and ";" found anywhere.
bool room_holds(const std::string& occupants, int character);
// How many entries a room string holds (characters that went there today).
int occupant_count(const std::string& occupants);
// The character number of the k-th entry (from 1, in order of arrival).
int occupant_at(const std::string& occupants, int k);

}  // namespace fortuna

namespace fortuna {

// One row of the night's plays, as the resolution records them.
struct Jugada {
  std::int16_t Numero = 0;    // the player; 0 for a character dead when the night began
  std::int16_t Carta = 0;     // the card it played
  std::int16_t Tipo = 0;      // its kind, 0 when discarded
  std::int16_t Objetivo = 0;  // its target
  bool operator==(const Jugada&) const = default;
};
using Jugadas = OffsetArray<Jugada, 1, 10>;

}  // namespace fortuna
