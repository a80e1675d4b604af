#include "speech/text_engine.h"

#include <string>

namespace fortuna {

void TextEngine::speak(std::string_view utf8) {
  if (utf8.empty()) return;  // a silence prints nothing
  std::string line(utf8);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  out_ << line << '\n' << std::flush;
}

}  // namespace fortuna
