#include "speech/fading_queue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fortuna {

void FadingQueue::push(const std::int16_t* samples, std::size_t count) {
  std::lock_guard lock(mutex_);
  samples_.insert(samples_.end(), samples, samples + count);
}

std::size_t FadingQueue::pull(std::int16_t* out, std::size_t count) {
  std::lock_guard lock(mutex_);
  const std::size_t given = std::min(count, samples_.size());
  std::copy_n(samples_.begin(), given, out);
  samples_.erase(samples_.begin(), samples_.begin() + static_cast<std::ptrdiff_t>(given));
  std::fill(out + given, out + count, std::int16_t{0});
  return given;
}

void FadingQueue::purge() {
  std::lock_guard lock(mutex_);
  const std::size_t length = std::min(fade_samples_, samples_.size());
  samples_.resize(length);
  // A raised cosine: no corner where the fade begins or where it reaches silence.
  for (std::size_t i = 0; i < length; ++i) {
    const double position = static_cast<double>(i + 1) / static_cast<double>(length + 1);
    const double gain = 0.5 * (1.0 + std::cos(std::numbers::pi * position));
    samples_[i] = static_cast<std::int16_t>(std::lround(samples_[i] * gain));
  }
}

std::size_t FadingQueue::size() const {
  std::lock_guard lock(mutex_);
  return samples_.size();
}

}  // namespace fortuna
