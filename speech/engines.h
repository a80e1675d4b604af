// The speech engine a run asked for, falling back to the next one with a one-line message.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "speech/engine.h"

namespace fortuna {

// name is "speechd", "espeak", "sapi", "text" or "none". An engine that cannot start, or has
// no voice, says so on err and hands over to the next (speechd, espeak, text, which speaks on
// out; sapi, text on Windows); one line on standard error then says which engine and voice
// speak.
std::unique_ptr<SpeechEngine> make_engine(const std::string& name, std::ostream& out,
                                          std::ostream& err);

}  // namespace fortuna
