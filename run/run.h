// One start-up for every way to play: a run is prepared once from the options (the transcript,
// the engine chain, the clock, the settings, the game with its screens), its front end opened
// while the greeting is already being said, and finished once (the exit event, the status, every
// output checked).
#pragma once

#include "run/frontend.h"
#include "run/options.h"

namespace fortuna {

// Plays until the game ends; the exit status.
int run_game(const Options& options, const FrontendRow& frontend);

}  // namespace fortuna
