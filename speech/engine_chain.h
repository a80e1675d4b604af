// Which engine speaks: the one asked for, or the next that starts (speech-dispatcher, then
// espeak-ng, then text; on Windows SAPI, then text), each hand-over said in one line; the
// chosen engine hands over again if it fails during the run.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "speech/engine.h"

namespace fortuna {

enum class EngineKind { Speechd, Espeak, Sapi, Text, None };

// As --speech names them: "speechd", "espeak", "sapi", "text", "none".
std::optional<EngineKind> engine_kind(std::string_view name);
const char* engine_option_name(EngineKind kind);
// The engines this build can speak through, its system's own first.
std::vector<EngineKind> available_engines();
// The engines to try in turn, starting with the one asked for.
std::vector<EngineKind> fallback_chain(EngineKind first);

struct EngineChoice {
  std::unique_ptr<SpeechEngine> engine;
  std::string startup_line;  // which engine and voice speak; empty for text and silence
};

// Texts of the text engine go to out; why an engine did not start goes to err, one line each;
// a hand-over later in the run goes to runtime_messages.
EngineChoice choose_engine(EngineKind first, std::ostream& out, std::ostream& err,
                           std::ostream& runtime_messages);

// --list-voices: the chosen engine's voices, "index<TAB>description" a line. Exit status.
int print_voices(std::optional<EngineKind> kind, std::ostream& out, std::ostream& err);

}  // namespace fortuna
