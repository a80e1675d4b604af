// espeak-ng, synthesising in retrieval mode and playing through an SDL audio queue we control.
#pragma once

#include <memory>
#include <string>

#include "speech/engine.h"

namespace fortuna {

class EspeakEngine : public SpeechEngine {
 public:
  // The engine ready to speak, or nothing with a one-line reason in error (no audio device,
  // the library would not start).
  static std::unique_ptr<EspeakEngine> open(std::string& error);
};

}  // namespace fortuna
