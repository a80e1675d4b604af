// What the executor tells after the night: a person's death, the morning news, the closing
// scene of a game.
#pragma once

#include <string>

#include "data/game.h"
#include "narration/rooms.h"
#include "rules/night.h"

namespace fortuna {

// Said to a person whose character died, before the news, waiting before and after.
std::string death_report(const Game& game, const Death& death);

// The news of a night that did not end the game, from the game as the night left it.
std::string morning_news(const Game& game, const NightReport& night, CardNames names);

// The executor's scene for the way the game ended; empty when one was to be left and nobody is.
std::string closing_scene(const Game& game);
// Waits for the scene to end.
inline constexpr const char* kClosingPrompt =
    "La partida ha terminado, pulse 1 para volver a empezar o escape  para salir.";

}  // namespace fortuna
