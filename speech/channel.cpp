#include "speech/channel.h"

#include "data/text.h"

namespace fortuna {

void SpeechChannel::create_voice() {
  engine_.create_voice();
  has_voice_ = true;
}

void SpeechChannel::load_voices() {
  create_voice();
  listed_ = false;
}

const std::vector<std::string>& SpeechChannel::voices() const {
  if (listed_) return voices_;
  listed_ = true;
  // A voice whose description is empty gets no entry: the next one takes its place.
  voices_.assign(1, std::string());
  for (const std::string& description : engine_.list_voices()) {
    if (!voices_.back().empty()) voices_.emplace_back();
    voices_.back() = description;
  }
  // None at all: the game goes on silently from here.
  if (voices_.front().empty()) has_voice_ = false;
  return voices_;
}

void SpeechChannel::say(const std::string& text, Wait wait, const Address& to) {
  if (longer_than(text, 2)) last_text_ = text;
  speak(text, wait, to);
}

void SpeechChannel::say_aside(const std::string& text, const Address& to) {
  speak(text, Wait::None, to);
}

void SpeechChannel::speak(const std::string& text, Wait wait, const Address& to) {
  if (observer_) observer_->on_speak(text, wait, to);
  if (!has_voice_) return;  // nothing can sound without a voice; the game goes on silently
  if (waits_before(wait)) engine_.wait_until_done();
  engine_.speak(to_lower(text));
  if (waits_after(wait)) engine_.wait_until_done();
}

void SpeechChannel::repeat(const Address& to) {
  const std::string text = last_text_;
  say(text, Wait::None, to);
}

void SpeechChannel::select_voice(int index) {
  if (observer_) observer_->on_voice(index);
  const auto voices = engine_.list_voices();
  if (index >= 0 && static_cast<std::size_t>(index) < voices.size()) engine_.select_voice(index);
}

void SpeechChannel::set_rate(int rate) {
  if (observer_) observer_->on_rate(rate);
  engine_.set_rate(rate);
}

}  // namespace fortuna
