#include "speech/engines.h"

#include <iostream>

#include "speech/engine_choice.h"

namespace fortuna {

std::unique_ptr<SpeechEngine> make_engine(const std::string& name, std::ostream& out,
                                          std::ostream& err) {
  const auto kind = engine_kind(name);
  EngineChoice choice = choose_engine(kind ? *kind : EngineKind::Text, out, err, std::cerr);
  // Which voice speaks, for the player at the terminal; never in the transcript. Text and
  // silence say so themselves.
  if (!choice.startup_line.empty()) std::cerr << "fortuna: " << choice.startup_line << std::endl;
  return std::move(choice.engine);
}

}  // namespace fortuna
