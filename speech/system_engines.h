// The engines of the system the program was built for, as the engine chain opens them: on
// Linux speech-dispatcher and espeak-ng, on Windows SAPI. Each system has its own file.
#pragma once

#include <string>
#include <vector>

#include "speech/engine_chain.h"
#include "speech/failover_engine.h"

namespace fortuna {

struct EngineAttempt {
  OpenedEngine opened;  // no engine when it did not start
  std::string startup_line, error;
};

// The system's engines, the one a window speaks through by default first.
std::vector<EngineKind> system_engines();
// One of system_engines().
EngineAttempt open_system_engine(EngineKind kind);

}  // namespace fortuna
