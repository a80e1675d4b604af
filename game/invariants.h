// Checks that hold after every key; tests call them, the game never needs them.
#pragma once

#include <string>

namespace fortuna {

class Program;

// The first broken invariant of the main window's game, or the empty text when all hold:
// each card 1..40 in at most one hand slot or pile position (a card in none only when its room
// is closed), the open rooms are 1..NumSalas, Fase is a phase, TurnoActual is inside the turn
// order during the room and card phases, no character stands in two rooms.
std::string check_invariants(const Program& program);

}  // namespace fortuna
