// Spanish contracted braille (grade 2) through liblouis, for the players who read it. Its
// cells are Unicode braille patterns, which brltty shows as they are, and each knows the
// character it came from, so that a routing key still finds the number under it.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "braille/rendering.h"

namespace fortuna {

// Debian's liblouis-data ships it as /usr/share/liblouis/tables/es-g2.ctb.
inline constexpr const char* kSpanishContractedTable = "es-g2.ctb";

class ContractedBraille {
 public:
  // The table ready for use, or why it cannot be, in one line.
  static std::variant<ContractedBraille, std::string> open(
      std::string table = kSpanishContractedTable);

  // A Translator. A text liblouis cannot translate is shown uncontracted rather than lost.
  Rendering operator()(std::u32string_view normalized) const;

 private:
  explicit ContractedBraille(std::string table) : table_(std::move(table)) {}
  std::string table_;
};

}  // namespace fortuna
