// The engines of the system the program was built for, as the engine chain opens them: on
// Linux speech-dispatcher and espeak-ng, on Windows SAPI.
#pragma once

#include <string>

#include "speech/engine_choice.h"
#include "speech/failover_engine.h"

namespace fortuna {

struct EngineAttempt {
  OpenedEngine opened;  // no engine when it did not start
  std::string startup_line, error;
};

// Speechd, Espeak or Sapi; one this build lacks does not start.
EngineAttempt open_system_engine(EngineKind kind);

#ifdef _WIN32
inline constexpr EngineKind kSystemEngine = EngineKind::Sapi;
#else
inline constexpr EngineKind kSystemEngine = EngineKind::Espeak;
#endif

}  // namespace fortuna
