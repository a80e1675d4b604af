#include "speech/engine_chain.h"

#include <algorithm>

#include "data/translate.h"
#include "speech/failover_engine.h"
#include "speech/none_engine.h"
#include "speech/system_engines.h"
#include "speech/text_engine.h"

namespace fortuna {

namespace {

EngineAttempt open_engine(EngineKind kind, std::ostream& out) {
  switch (kind) {
    case EngineKind::Speechd:
    case EngineKind::Espeak:
    case EngineKind::Sapi:
      return open_system_engine(kind);
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
    case EngineKind::Sapi:
      return "SAPI";
    case EngineKind::Text:
      return translate("text");
    case EngineKind::None:
      break;
  }
  return translate("no voice");
}

// Opens the first engine from `from` on that starts, one line on err for each that does not.
EngineAttempt open_first(const std::vector<EngineKind>& chain, std::size_t& from, std::ostream& out,
                         std::ostream& err) {
  for (;; ++from) {
    EngineAttempt attempt = open_engine(chain[from], out);
    if (attempt.opened.engine) return attempt;
    report(err, format_message(translate("%s; speaking through %s instead"), attempt.error.c_str(),
                               spoken_name(chain[from + 1])));
  }
}

}  // namespace

constexpr std::pair<EngineKind, const char*> kOptionNames[] = {{EngineKind::Speechd, "speechd"},
                                                               {EngineKind::Espeak, "espeak"},
                                                               {EngineKind::Sapi, "sapi"},
                                                               {EngineKind::Text, "text"},
                                                               {EngineKind::None, "none"}};

std::optional<EngineKind> engine_kind(std::string_view name) {
  for (const auto& [kind, option] : kOptionNames)
    if (name == option) return kind;
  return std::nullopt;
}

const char* engine_option_name(EngineKind kind) {
  for (const auto& [known, option] : kOptionNames)
    if (known == kind) return option;
  return "none";
}

std::vector<EngineKind> available_engines() {
  std::vector<EngineKind> kinds = system_engines();
  kinds.push_back(EngineKind::Text);
  kinds.push_back(EngineKind::None);
  return kinds;
}

std::vector<EngineKind> fallback_chain(EngineKind first) {
  switch (first) {
    case EngineKind::Speechd:
      return {EngineKind::Speechd, EngineKind::Espeak, EngineKind::Text};
    case EngineKind::Espeak:
      return {EngineKind::Espeak, EngineKind::Text};
    case EngineKind::Sapi:
      return {EngineKind::Sapi, EngineKind::Text};
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
  EngineAttempt chosen = open_first(*chain, *position, out, err);
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

int print_voices(std::optional<EngineKind> kind, std::ostream& out, std::ostream& err) {
  EngineChoice choice = choose_engine(kind.value_or(system_engines().front()), out, err, err);
  if (!choice.startup_line.empty()) report(err, choice.startup_line);
  const auto voices = choice.engine->list_voices();
  for (std::size_t i = 0; i < voices.size(); ++i) out << i << '\t' << voices[i] << '\n';
  out << std::flush;
  return 0;
}

}  // namespace fortuna
