// One start-up for every way to play: a run is prepared once from the options (the transcript,
// the engine chain, the clock, the settings, the game with its screens), its front end opened
// while the greeting is already being said, and finished once (the exit event, the status, every
// output checked).
#pragma once

#include "run/frontend.h"
#include "run/options.h"
#include "run/session.h"

namespace fortuna {

// Plays what make_session makes (the game on this machine: make_local_session) until it ends;
// the exit status.
int run_game(const Options& options, const FrontendRow& frontend,
             const MakeSession& make_session = make_local_session);

}  // namespace fortuna
