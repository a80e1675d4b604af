#include "data/succession.h"

#include <numeric>
#include <utility>

namespace fortuna {

Succession shuffled_succession(Random& random) {
  Succession succession;
  std::iota(succession.line.begin(), succession.line.end(), CharacterId{0});
  for (int k = 0; k < 100; ++k) {
    const auto j = static_cast<std::size_t>(random.draw(kCharacterCount - 1));
    std::swap(succession.line[j - 1], succession.line[j]);
  }
  return succession;
}

}  // namespace fortuna
