#include "game/invariants.h"

#include <array>

#include "game/program.h"

namespace fortuna {

namespace {

std::string check_cards(const MainWindow& w, const Roster& roster) {
  if (w.Cartas.size() != kPileSize + 1) return "the catalogue does not hold 40 cards";
  std::array<int, kPileSize + 1> places{};
  auto place = [&](int card, const char* where) -> std::string {
    if (card < 0 || card > kPileSize) return std::string("card number out of range in ") + where;
    if (card > 0 && ++places[static_cast<std::size_t>(card)] > 1)
      return "card " + std::to_string(card) + " is in two places (" + where + ")";
    return {};
  };
  for (int i = 0; i <= kCharacters; ++i) {
    if (auto e = place(roster[static_cast<std::size_t>(i)].Carta1, "a hand"); !e.empty()) return e;
    if (auto e = place(roster[static_cast<std::size_t>(i)].Carta2, "a hand"); !e.empty()) return e;
  }
  if (roster[0].Carta1 != 0 || roster[0].Carta2 != 0) return "\"Nadie en especial\" holds a card";
  for (int i = 1; i <= kPileSize; ++i)
    if (auto e = place(w.Mazo[i], "the pile"); !e.empty()) return e;
  for (int card = 1; card <= kPileSize; ++card) {
    if (places[static_cast<std::size_t>(card)] != 0) continue;
    const int room = w.Cartas[static_cast<std::size_t>(card)].Sala;
    if (room < 1 || room > kRooms || w.SalaAbierta[room] != 0)
      return "card " + std::to_string(card) + " has left the game";
  }
  return {};
}

std::string check_rooms(const MainWindow& w) {
  if (w.SalaAbierta[-1] != 0) return "room -1 is open";
  int open = 0;
  for (int room = 1; room <= kRooms; ++room)
    if (w.SalaAbierta[room] != 0) ++open;
  if (open != w.NumSalas) return "NumSalas does not match the open rooms";
  for (int room = 1; room <= kRooms; ++room)
    if ((w.SalaAbierta[room] != 0) != (room <= w.NumSalas))
      return "the open rooms are not 1..NumSalas";
  return {};
}

}  // namespace

std::string check_invariants(const Program& program) {
  if (!program.is_open(WindowId::Main)) return {};
  const MainWindow& w = program.main_window;
  const Roster& roster = program.Personajes;
  switch (w.Fase) {
    case 1:
    case 2:
    case 3:
    case 31:
    case 4:
    case 5:
      break;
    default:
      return "Fase " + std::to_string(w.Fase) + " is not a phase";
  }
  if (auto e = check_cards(w, roster); !e.empty()) return e;
  if (auto e = check_rooms(w); !e.empty()) return e;
  if (w.Fase == 2 || w.Fase == 3 || w.Fase == 31) {
    if (w.TurnoActual < 1 || w.TurnoActual > w.turn_count())
      return "TurnoActual is outside the turn order";
  }
  for (int c = 1; c <= kCharacters; ++c) {
    int rooms = 0;
    for (int room = 1; room <= kRooms; ++room)
      if (room_holds(w.Ocupantes[room], c)) ++rooms;
    if (rooms > 1) return "character " + std::to_string(c) + " stands in two rooms";
  }
  if (w.Heredero < 1 || w.Heredero > 10) return "Heredero is outside the line of succession";
  return {};
}

}  // namespace fortuna
