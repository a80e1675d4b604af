#include "speech/recording_engine.h"

namespace fortuna {

void RecordingEngine::create_voice() {
  rate_ = 0;
  voice_ = 0;
  operations_.push_back({Operation::Kind::CreateVoice, {}, 0});
}

void RecordingEngine::settle() {
  if (!current_text_.empty() && now_ - started_at_ >= static_cast<long>(current_text_.size())) {
    heard_whole_.push_back(current_text_);
    current_text_.clear();
  }
}

void RecordingEngine::speak(std::string_view utf8) {
  settle();
  current_text_ = std::string(utf8);  // whatever was sounding is cut off
  started_at_ = now_;
  operations_.push_back({Operation::Kind::Speak, std::string(utf8), 0});
}

void RecordingEngine::wait_until_done() {
  if (!current_text_.empty()) now_ = started_at_ + static_cast<long>(current_text_.size());
  settle();
  operations_.push_back({Operation::Kind::Wait, {}, 0});
}

void RecordingEngine::select_voice(int index) {
  voice_ = index;
  operations_.push_back({Operation::Kind::SelectVoice, {}, index});
}

void RecordingEngine::set_rate(int rate) {
  rate_ = rate;
  operations_.push_back({Operation::Kind::SetRate, {}, rate});
}

std::vector<std::string> RecordingEngine::spoken() const {
  std::vector<std::string> texts;
  for (const auto& op : operations_)
    if (op.kind == Operation::Kind::Speak) texts.push_back(op.text);
  return texts;
}

std::string RecordingEngine::sounding() const {
  if (current_text_.empty() || now_ - started_at_ >= static_cast<long>(current_text_.size()))
    return {};
  return current_text_;
}

}  // namespace fortuna
