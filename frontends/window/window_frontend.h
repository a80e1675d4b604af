// The SDL window: real keys, the status label drawn large for onlookers, the rename box inside
// it; speech through the system's engine unless asked otherwise.
#pragma once

#include "run/frontend.h"

namespace fortuna {

// Fails with one line when there is no display to open a window on.
CreatedFrontend create_window_frontend(const Options& options, InterruptSource& interrupts);

}  // namespace fortuna
