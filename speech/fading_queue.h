// Samples on their way to the sound device. A purge fades out what would play next over a few
// milliseconds instead of chopping it, since a waveform cut mid-swing is heard as a click, and
// drops the rest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

namespace fortuna {

class FadingQueue {
 public:
  explicit FadingQueue(std::size_t fade_samples) : fade_samples_(fade_samples) {}

  void push(const std::int16_t* samples, std::size_t count);
  // Fills out with what plays next and silence past the end; returns how many samples came
  // from the queue.
  std::size_t pull(std::int16_t* out, std::size_t count);
  // What would play next fades to zero; nothing after it is kept.
  void purge();
  std::size_t size() const;

 private:
  const std::size_t fade_samples_;
  mutable std::mutex mutex_;
  std::deque<std::int16_t> samples_;
};

}  // namespace fortuna
