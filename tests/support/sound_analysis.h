// Finding speech, silence and clicks in recorded samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace fortuna::testing {

using Samples = std::span<const std::int16_t>;

// Below this a sample counts as silence (0.3 % of full scale).
inline constexpr int kSilence = 100;

// The first sample from `from` on that is not silence.
std::optional<std::size_t> first_sound(Samples samples, std::size_t from, int threshold = kSilence);

// Where the sound going on at `from` stops for at least quiet_samples: the index after its last
// loud sample. Nothing when it never stops that long within the recording.
std::optional<std::size_t> end_of_sound(Samples samples, std::size_t from,
                                        std::size_t quiet_samples, int threshold = kSilence);

// The largest difference between two neighbouring samples in [begin, end).
int largest_step(Samples samples, std::size_t begin, std::size_t end);

// Where `pattern` best matches the recording within [from, to), when it matches well
// (normalised correlation above 0.9).
std::optional<std::size_t> find_pattern(Samples samples, Samples pattern, std::size_t from,
                                        std::size_t to);

}  // namespace fortuna::testing
