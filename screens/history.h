// The last texts the game said, for a player who missed one: walked from the newest back to
// the oldest kept, one text a step.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "narration/help.h"

namespace fortuna {

class MessageHistory {
 public:
  static constexpr std::size_t kCapacity = 200;

  // A new text: the oldest goes beyond the capacity, and the next step back starts from it.
  void add(const std::string& text);

  enum class Step { Older, Newer, Oldest, Newest };
  struct Entry {
    const std::string* text;  // nothing when no text was said yet
    HistoryPlace place;
  };
  Entry step(Step step);
  std::size_t size() const { return texts_.size(); }

 private:
  std::deque<std::string> texts_;
  // The text a step last said; one past the newest before any step since the last text.
  std::size_t at_ = 0;
};

}  // namespace fortuna
