#include "data/translate.h"
#include "speech/sapi_engine.h"
#include "speech/system_engines.h"

namespace fortuna {

std::vector<EngineKind> system_engines() {
  return {EngineKind::Sapi};
}

EngineAttempt open_system_engine(EngineKind kind) {
  EngineAttempt attempt;
  if (kind != EngineKind::Sapi) {
    attempt.error = "speech-dispatcher, espeak-ng: Linux only";
    return attempt;
  }
  auto engine = SapiEngine::open(attempt.error);
  if (!engine) return attempt;
  // The voices were there a moment ago; a list that fails now still names the engine.
  const auto voices = engine->list_voices();
  const std::string name = voices.empty() ? "SAPI" : "SAPI, " + voices.front();
  attempt.startup_line = format_message(translate("speaking through %s"), name.c_str());
  SapiEngine* raw = engine.get();
  attempt.opened = {std::move(engine), [raw] { return raw->fault(); }, "SAPI"};
  return attempt;
}

}  // namespace fortuna
