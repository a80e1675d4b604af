#include "frontends/window/key_queue_clock.h"

#include <SDL.h>

#include <algorithm>

#include "run/run_engine.h"

namespace fortuna {

KeyQueueClock::KeyQueueClock() {
  SDL_AddEventWatch(&KeyQueueClock::watch, this);
}

KeyQueueClock::~KeyQueueClock() {
  SDL_DelEventWatch(&KeyQueueClock::watch, this);
}

int KeyQueueClock::watch(void* self, SDL_Event* event) {
  if (event->type != SDL_KEYDOWN) return 1;
  auto& clock = *static_cast<KeyQueueClock*>(self);
  const std::lock_guard lock(clock.mutex_);
  clock.entries_.push_back(
      {event->key.timestamp, event->key.keysym.scancode, steady_nanoseconds()});
  return 1;
}

std::uint64_t KeyQueueClock::entered_at(const SDL_KeyboardEvent& key) {
  const std::lock_guard lock(mutex_);
  // Key-downs taken by the rename box never come here: drop them on the way.
  auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return entry.timestamp == key.timestamp && entry.scancode == key.keysym.scancode;
  });
  if (found != entries_.end()) {
    const std::uint64_t counter = found->counter;
    entries_.erase(entries_.begin(), found + 1);
    return counter;
  }
  return steady_nanoseconds();
}

}  // namespace fortuna
