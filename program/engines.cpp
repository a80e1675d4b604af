#include "program/engines.h"

#include "data/translate.h"
#include "speech/espeak_engine.h"
#include "speech/none_engine.h"
#include "speech/text_engine.h"

namespace fortuna {

std::unique_ptr<SpeechEngine> make_engine(const std::string& name, std::ostream& out,
                                          std::ostream& err) {
  if (name == "none") return std::make_unique<NoneEngine>();
  if (name == "espeak") {
    std::string error;
    if (auto engine = EspeakEngine::open(error)) {
      if (!engine->list_voices().empty()) return engine;
      err << "No hay voces avanzadas (SAPI5) instaladas\n";
    } else {
      // TRANSLATORS: %s is why the voice could not start, already translated.
      err << "fortuna: " << format_message(translate("%s; speaking as text instead"), error.c_str())
          << '\n';
    }
  }
  return std::make_unique<TextEngine>(out);
}

}  // namespace fortuna
