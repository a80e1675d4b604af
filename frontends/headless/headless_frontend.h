// The headless front end: keys from a key script (a file, or standard input read as it comes),
// no screen.
#pragma once

#include "run/frontend.h"

namespace fortuna {

CreatedFrontend create_headless_frontend(const Options& options, InterruptSource& interrupts);

}  // namespace fortuna
