// When a key-down entered SDL's queue, for the window's key to speech figures.
#pragma once

#include <SDL_events.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace fortuna {

// Notes the steady time at which each key-down enters SDL's queue, when SDL stamps it: the
// event's own timestamp counts only milliseconds.
class KeyQueueClock {
 public:
  KeyQueueClock();
  ~KeyQueueClock();
  KeyQueueClock(const KeyQueueClock&) = delete;
  KeyQueueClock& operator=(const KeyQueueClock&) = delete;

  // When this key-down, just taken from the queue, entered it (now, when it was not seen).
  std::uint64_t entered_at(const SDL_KeyboardEvent& key);

 private:
  struct Entry {
    Uint32 timestamp;
    SDL_Scancode scancode;
    std::uint64_t counter;
  };
  static int watch(void* self, SDL_Event* event);

  std::mutex mutex_;
  std::deque<Entry> entries_;
};

}  // namespace fortuna
