#include "screens/history.h"

namespace fortuna {

void MessageHistory::add(const std::string& text) {
  if (texts_.size() == kCapacity) texts_.pop_front();
  texts_.push_back(text);
  at_ = texts_.size();
}

MessageHistory::Entry MessageHistory::step(Step step) {
  if (texts_.empty()) return {nullptr, HistoryPlace::Only};
  const std::size_t newest = texts_.size() - 1;
  switch (step) {
    case Step::Older:
      // The first step back says the newest text: the one most likely missed.
      if (at_ > 0) --at_;
      break;
    case Step::Newer:
      at_ = at_ >= newest ? newest : at_ + 1;
      break;
    case Step::Oldest:
      at_ = 0;
      break;
    case Step::Newest:
      at_ = newest;
      break;
  }
  const HistoryPlace place = newest == 0     ? HistoryPlace::Only
                             : at_ == 0      ? HistoryPlace::First
                             : at_ == newest ? HistoryPlace::Last
                                             : HistoryPlace::Middle;
  return {&texts_[at_], place};
}

}  // namespace fortuna
