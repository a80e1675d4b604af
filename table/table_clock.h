// The time of day a table's game reads, kept in its journal: a table played again reads the
// same times it read the first time.
#pragma once

#include <deque>

#include "data/clock.h"
#include "table/table_event.h"

namespace fortuna {

class TableClock final : public Clock {
 public:
  // recorder is nothing when nothing is kept.
  TableClock(Clock& source, TableRecorder* recorder) : source_(source), recorder_(recorder) {}

  // A reading played again, for the next now().
  void replayed(TimeOfDay time) { replayed_.push_back(time); }
  // What was read before, in order; past them the source's time, recorded as it is read.
  TimeOfDay now() override {
    if (!replayed_.empty()) {
      const TimeOfDay time = replayed_.front();
      replayed_.pop_front();
      return time;
    }
    const TimeOfDay time = source_.now();
    if (recorder_) recorder_->record(TableEvent::clock(time));
    return time;
  }

 private:
  Clock& source_;
  TableRecorder* recorder_;
  std::deque<TimeOfDay> replayed_;
};

}  // namespace fortuna
