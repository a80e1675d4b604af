#include "program/engine_choice.h"

#include "data/translate.h"

#include <iostream>

#include "speech/espeak_engine.h"
#include "speech/failover_engine.h"
#include "speech/none_engine.h"
#include "speech/speechd_engine.h"
#include "speech/text_engine.h"

namespace fortuna {

namespace {

struct Attempt {
  OpenedEngine opened;
  std::string startup_line, error;
};

Attempt open_speechd() {
  Attempt attempt;
  auto engine = SpeechdEngine::open(attempt.error);
  if (!engine) return attempt;
  attempt.startup_line = format_message(translate("speaking through %s"), engine->summary().c_str());
  SpeechdEngine* raw = engine.get();
  attempt.opened = {std::move(engine), [raw] { return raw->fault(); }, "speech-dispatcher"};
  return attempt;
}

Attempt open_espeak() {
  Attempt attempt;
  auto engine = EspeakEngine::open(attempt.error);
  if (!engine) return attempt;
  const auto voices = engine->list_voices();
  if (voices.empty()) {
    attempt.error = "No hay voces avanzadas (SAPI5) instaladas";
    return attempt;
  }
  attempt.startup_line =
      format_message(translate("speaking through espeak-ng, voice %s"), voices.front().c_str());
  attempt.opened = {std::move(engine), nullptr, "espeak-ng"};
  return attempt;
}

Attempt open_engine(EngineKind kind, std::ostream& out) {
  switch (kind) {
    case EngineKind::Speechd:
      return open_speechd();
    case EngineKind::Espeak:
      return open_espeak();
    case EngineKind::Text:
      return {{std::make_unique<TextEngine>(out), nullptr, "text"}, {}, {}};
    case EngineKind::None:
      break;
  }
  return {{std::make_unique<NoneEngine>(), nullptr, translate("no voice")}, {}, {}};
}

const char* spoken_name(EngineKind kind) {
  switch (kind) {
    case EngineKind::Speechd:
      return "speech-dispatcher";
    case EngineKind::Espeak:
      return "espeak-ng";
    case EngineKind::Text:
      return translate("text");
    case EngineKind::None:
      break;
  }
  return translate("no voice");
}

// Opens the first engine from `from` on that starts, one line on err for each that does not.
Attempt open_first(const std::vector<EngineKind>& chain, std::size_t& from, std::ostream& out,
                   std::ostream& err) {
  for (;; ++from) {
    Attempt attempt = open_engine(chain[from], out);
    if (attempt.opened.engine) return attempt;
    err << "fortuna: "
        << format_message(translate("%s; speaking through %s instead"), attempt.error.c_str(),
                          spoken_name(chain[from + 1]))
        << std::endl;
  }
}

}  // namespace

std::optional<EngineKind> engine_kind(std::string_view name) {
  if (name == "speechd") return EngineKind::Speechd;
  if (name == "espeak") return EngineKind::Espeak;
  if (name == "text") return EngineKind::Text;
  if (name == "none") return EngineKind::None;
  return std::nullopt;
}

std::vector<EngineKind> fallback_chain(EngineKind first) {
  switch (first) {
    case EngineKind::Speechd:
      return {EngineKind::Speechd, EngineKind::Espeak, EngineKind::Text};
    case EngineKind::Espeak:
      return {EngineKind::Espeak, EngineKind::Text};
    case EngineKind::Text:
      return {EngineKind::Text};
    case EngineKind::None:
      break;
  }
  return {EngineKind::None};
}

EngineChoice choose_engine(EngineKind first, std::ostream& out, std::ostream& err,
                           std::ostream& runtime_messages) {
  const auto chain = std::make_shared<std::vector<EngineKind>>(fallback_chain(first));
  auto position = std::make_shared<std::size_t>(0);
  Attempt chosen = open_first(*chain, *position, out, err);
  EngineChoice choice{nullptr, chosen.startup_line};
  if (!chosen.opened.fault) {
    choice.engine = std::move(chosen.opened.engine);
    return choice;
  }
  // The rest of the chain stands by; its hand-overs are told where the run's messages go.
  auto next = [chain, position, &out, &runtime_messages] {
    ++*position;
    return open_first(*chain, *position, out, runtime_messages).opened;
  };
  choice.engine =
      std::make_unique<FailoverEngine>(std::move(chosen.opened), next, runtime_messages);
  return choice;
}

int print_voices(const std::string& name, std::ostream& out, std::ostream& err) {
  const auto kind = engine_kind(name);
  EngineChoice choice = choose_engine(kind ? *kind : EngineKind::Espeak, out, err, err);
  if (!choice.startup_line.empty()) err << "fortuna: " << choice.startup_line << std::endl;
  const auto voices = choice.engine->list_voices();
  for (std::size_t i = 0; i < voices.size(); ++i) out << i << '\t' << voices[i] << '\n';
  out << std::flush;
  return 0;
}

}  // namespace fortuna
