// The desktop front end: a real window, real keys, speech through the system's engine by
// default (espeak-ng on Linux with SDL, SAPI on Windows with Win32).
#pragma once

#include "run/options.h"

namespace fortuna {

// Runs the program in a window; returns the exit status (2 when there is no display or a
// file cannot be written).
int run_window(const Options& options);

}  // namespace fortuna
