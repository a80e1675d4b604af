#include "support/sound_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fortuna::testing {

std::optional<std::size_t> first_sound(Samples samples, std::size_t from, int threshold) {
  for (std::size_t i = from; i < samples.size(); ++i)
    if (std::abs(samples[i]) > threshold) return i;
  return std::nullopt;
}

std::optional<std::size_t> end_of_sound(Samples samples, std::size_t from,
                                        std::size_t quiet_samples, int threshold) {
  std::size_t end = from;  // after the last loud sample seen
  for (std::size_t i = from; i < samples.size(); ++i) {
    if (std::abs(samples[i]) > threshold)
      end = i + 1;
    else if (i + 1 - end >= quiet_samples)
      return end;
  }
  return std::nullopt;
}

int largest_step(Samples samples, std::size_t begin, std::size_t end) {
  int largest = 0;
  end = std::min(end, samples.size());
  for (std::size_t i = begin + 1; i < end; ++i)
    largest = std::max(largest, std::abs(samples[i] - samples[i - 1]));
  return largest;
}

std::optional<std::size_t> find_pattern(Samples samples, Samples pattern, std::size_t from,
                                        std::size_t to) {
  if (pattern.empty() || samples.size() < pattern.size()) return std::nullopt;
  to = std::min(to, samples.size() - pattern.size() + 1);
  double pattern_energy = 0;
  for (auto p : pattern) pattern_energy += double(p) * p;
  std::optional<std::size_t> best;
  double best_score = 0.9;
  for (std::size_t at = from; at < to; ++at) {
    double dot = 0, energy = 0;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
      dot += double(samples[at + k]) * pattern[k];
      energy += double(samples[at + k]) * samples[at + k];
    }
    if (energy <= 0) continue;
    const double score = dot / std::sqrt(energy * pattern_energy);
    if (score > best_score) {
      best_score = score;
      best = at;
    }
  }
  return best;
}

}  // namespace fortuna::testing
