// What the start screen says.
#pragma once

#include <string>

#include "data/roster.h"

namespace fortuna {

// The character's name and whether a person plays it, said together with nothing between.
std::string roster_entry(const Character& character);
std::string greeting(const Character& first);
// Said after the answer to a selection; only a selection waits for it.
std::string selection_word(Player player);
inline constexpr const char* kRenameHint = "Pulse f2 si desea cambiar el nombre del personaje";

inline constexpr const char* kRenamePrompt = "Escriba el nombre del personaje y pulse enter:";
inline constexpr const char* kRenameTitle = "Cambiar el nombre al personaje";
std::string rename_question(const Character& character);
inline constexpr const char* kRenameCancelled = "Cancelado";

}  // namespace fortuna
