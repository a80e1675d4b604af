// Every front end the program knows, each row made beside its front end; a front end this
// build lacks has a row with nothing to create (frontends/absent_*.cpp).
#pragma once

#include <variant>
#include <vector>

#include "run/frontend.h"

namespace fortuna {

extern const FrontendRow kTerminalFrontend, kWindowFrontend, kHeadlessFrontend;

// The rows this build can run, as --frontend lists them, in the order the default is looked for.
std::vector<const FrontendRow*> built_frontends();

// The front end for these options: the one asked for; headless for a key script; else the
// first that says it fits here.
std::variant<const FrontendRow*, Failure> choose_frontend(const Options& options);

}  // namespace fortuna
