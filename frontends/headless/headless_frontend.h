// The headless front end: keys from a key script, no screen.
#pragma once

#include "run/options.h"

namespace fortuna {

// Runs the program; returns the exit status (0, or 2 for bad input).
int run_headless(const Options& options);

}  // namespace fortuna
