// The speech engine a run asked for, falling back to the text engine with a one-line message.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "speech/engine.h"

namespace fortuna {

// name is "espeak", "text" or "none". espeak that cannot start, or has no voice, says so on err
// and gives the text engine speaking on out.
std::unique_ptr<SpeechEngine> make_engine(const std::string& name, std::ostream& out,
                                          std::ostream& err);

}  // namespace fortuna
