#include "braille/contracted.h"

#include <liblouis.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "data/translate.h"

namespace fortuna {

namespace {

static_assert(sizeof(widechar) == sizeof(char32_t), "liblouis built for UCS-4, as Debian's is");

// Longer than any contraction of the text makes it: a capital or number sign per character.
constexpr std::size_t kGrowth = 3;

}  // namespace

std::variant<ContractedBraille, std::string> ContractedBraille::open(std::string table) {
  // liblouis writes its complaints to standard error, over a terminal front end's screen; the
  // reason given back here says enough.
  static std::once_flag quiet;
  std::call_once(quiet, [] { lou_registerLogCallback([](logLevels, const char*) {}); });
  if (lou_getTable(table.c_str()) == nullptr)
    return format_message(translate("No contracted braille: liblouis cannot load the table %s."),
                          table.c_str());
  return ContractedBraille(std::move(table));
}

Rendering ContractedBraille::operator()(std::u32string_view normalized) const {
  if (normalized.empty()) return {};
  const int length = static_cast<int>(normalized.size());
  std::vector<widechar> input(normalized.begin(), normalized.end());
  int capacity = static_cast<int>(normalized.size() * kGrowth + 16);
  for (int tries = 0; tries < 3; ++tries, capacity *= 2) {
    std::vector<widechar> output(capacity);
    std::vector<int> input_positions(capacity);
    int read = length, written = capacity;
    const int done =
        lou_translate(table_.c_str(), input.data(), &read, output.data(), &written, nullptr,
                      nullptr, nullptr, input_positions.data(), nullptr, dotsIO | ucBrl);
    if (done == 0) break;
    if (read < length) continue;  // the output did not fit
    Rendering rendering;
    rendering.cells.assign(output.begin(), output.begin() + written);
    for (int i = 0; i < written; ++i)
      rendering.source.push_back(
          static_cast<std::size_t>(std::clamp(input_positions[i], 0, length - 1)));
    return rendering;
  }
  return uncontracted(normalized);
}

}  // namespace fortuna
