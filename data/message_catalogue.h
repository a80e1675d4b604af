// A compiled gettext catalogue (.mo) read where it lies in memory, for builds without gettext:
// the Windows program carries its Spanish catalogue inside the executable.
#pragma once

#include <cstdint>
#include <string_view>

namespace fortuna {

class MessageCatalogue {
 public:
  MessageCatalogue() = default;
  // Bytes that are not a little-endian catalogue give an empty one; they must outlive it.
  explicit MessageCatalogue(std::string_view bytes);

  // The translation of id, or nothing when the catalogue has none.
  const char* find(std::string_view id) const;
  std::uint32_t size() const { return count_; }

 private:
  std::string_view entry(std::uint32_t table, std::uint32_t index) const;

  std::string_view bytes_;
  std::uint32_t count_ = 0, originals_ = 0, translations_ = 0;
};

// The catalogue translate() reads in builds without gettext; none: the English ids.
void use_message_catalogue(const MessageCatalogue* catalogue);
const char* translate_from_catalogue(const char* id);

}  // namespace fortuna
