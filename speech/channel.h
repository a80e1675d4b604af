// The one voice of the program and the only way the game makes sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/types.h"
#include "speech/engine.h"

namespace fortuna {

class SpeechChannel {
 public:
  explicit SpeechChannel(SpeechEngine& engine) : engine_(engine) {}

  void set_observer(SpeechObserver* observer) { observer_ = observer; }

  // A new voice with the engine's default voice and rate (Voz).
  void CreaVoz();
  // The voice again, and Voces from the engine's list; no voice installed leaves Voz empty.
  void CargaVoces();
  // Speaks texto (lower-cased, literally, purging what came before). Texts longer than
  // 2 characters are remembered for the repeat key; texto may be UltimoMensaje itself.
  void Habla(const std::string& texto, Bool16 EsperarAntes, Bool16 EsperarDespues);

  // The voice's rate and current voice, as the key handlers use them.
  int rate() const;
  void set_rate(int rate);
  // Lists the engine's voices again and makes the one at index current.
  void select_voice(int index);

  // Whether a voice exists (false only after CargaVoces found none).
  bool has_voice() const { return voice_; }

  std::vector<std::string> Voces;
  std::int16_t VozActual = 0;
  std::string UltimoMensaje;

 private:
  void Pronuncia(const std::string& texto);

  SpeechEngine& engine_;
  SpeechObserver* observer_ = nullptr;
  bool voice_ = false;
};

}  // namespace fortuna
