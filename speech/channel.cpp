#include "speech/channel.h"

#include "model/text.h"

namespace fortuna {

void SpeechChannel::CreaVoz() {
  engine_.create_voice();
  voice_ = true;
}

void SpeechChannel::CargaVoces() {
  CreaVoz();
  Voces.assign(1, std::string());
  for (const std::string& description : engine_.list_voices()) {
    if (!Voces.back().empty()) Voces.emplace_back();
    Voces.back() = description;
  }
  if (Voces.front().empty()) voice_ = false;
}

void SpeechChannel::Habla(const std::string& texto, Bool16 EsperarAntes, Bool16 EsperarDespues) {
  if (observer_) observer_->on_speak(texto, EsperarAntes != 0, EsperarDespues != 0);
  if (longer_than(texto, 2)) UltimoMensaje = texto;
  if (!voice_) return;  // nothing can sound without a voice; the game goes on silently
  if (EsperarAntes != 0) engine_.wait_until_done();
  Pronuncia(texto);
  if (EsperarDespues != 0) engine_.wait_until_done();
}

void SpeechChannel::Pronuncia(const std::string& texto) {
  engine_.speak(to_lower(texto));
}

int SpeechChannel::rate() const {
  return engine_.rate();
}

void SpeechChannel::set_rate(int rate) {
  if (observer_) observer_->on_rate(rate);
  engine_.set_rate(rate);
}

void SpeechChannel::select_voice(int index) {
  if (observer_) observer_->on_voice(index);
  const auto voices = engine_.list_voices();
  if (index >= 0 && static_cast<std::size_t>(index) < voices.size()) engine_.select_voice(index);
}

}  // namespace fortuna
