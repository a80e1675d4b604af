// Key-down to speech: how long the game takes from a key event entering the window's queue
// to the first text the engine is given for it.
#pragma once

#include <SDL_events.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "speech/engine.h"

namespace fortuna {

// Passes every operation on and times the first speak after each key.
class TimedEngine final : public SpeechEngine {
 public:
  using Now = std::function<std::uint64_t()>;
  TimedEngine(SpeechEngine& inner, Now now, std::uint64_t ticks_per_second)
      : inner_(inner), now_(std::move(now)), ticks_per_second_(ticks_per_second) {}

  // A key event entered the queue at this tick.
  void key_started(std::uint64_t at) { key_at_ = at; }

  void create_voice() override { inner_.create_voice(); }
  void speak(std::string_view utf8) override;
  void wait_until_done() override { inner_.wait_until_done(); }
  std::vector<std::string> list_voices() override { return inner_.list_voices(); }
  void select_voice(int index) override { inner_.select_voice(index); }
  int rate() const override { return inner_.rate(); }
  void set_rate(int rate) override { inner_.set_rate(rate); }

  // One figure per key that spoke, in microseconds.
  const std::vector<double>& samples_us() const { return samples_us_; }

 private:
  SpeechEngine& inner_;
  Now now_;
  std::uint64_t ticks_per_second_;
  std::uint64_t key_at_ = 0;  // 0: no key waiting for its first text
  std::vector<double> samples_us_;
};

// Notes the high-resolution time at which each key-down enters SDL's queue, when SDL stamps
// it: the event's own timestamp counts only milliseconds.
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
