#include "data/translate.h"
#include "speech/espeak_engine.h"
#include "speech/speechd_engine.h"
#include "speech/system_engines.h"

namespace fortuna {

namespace {

EngineAttempt open_speechd() {
  EngineAttempt attempt;
  auto engine = SpeechdEngine::open(attempt.error);
  if (!engine) return attempt;
  attempt.startup_line =
      format_message(translate("speaking through %s"), engine->summary().c_str());
  SpeechdEngine* raw = engine.get();
  attempt.opened = {std::move(engine), [raw] { return raw->fault(); }, "speech-dispatcher"};
  return attempt;
}

EngineAttempt open_espeak() {
  EngineAttempt attempt;
  auto engine = EspeakEngine::open(attempt.error);
  if (!engine) return attempt;
  const std::string voice = engine->voice_name();
  if (voice.empty()) {
    attempt.error = "No hay voces avanzadas (SAPI5) instaladas";
    return attempt;
  }
  attempt.startup_line =
      format_message(translate("speaking through espeak-ng, voice %s"), voice.c_str());
  attempt.opened = {std::move(engine), nullptr, "espeak-ng"};
  return attempt;
}

}  // namespace

std::vector<EngineKind> system_engines() {
  return {EngineKind::Espeak, EngineKind::Speechd};
}

EngineAttempt open_system_engine(EngineKind kind) {
  if (kind == EngineKind::Speechd) return open_speechd();
  if (kind == EngineKind::Espeak) return open_espeak();
  return {{}, {}, "SAPI: Windows only"};
}

}  // namespace fortuna
