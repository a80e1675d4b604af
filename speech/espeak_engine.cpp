#include "speech/espeak_engine.h"

namespace fortuna {
std::unique_ptr<EspeakEngine> EspeakEngine::open(std::string& error) {
  error = "espeak-ng is not available";
  return nullptr;
}
}  // namespace fortuna
