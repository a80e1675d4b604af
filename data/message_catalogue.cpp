#include "data/message_catalogue.h"

#include <cstring>

namespace fortuna {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;

std::uint32_t word(std::string_view bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return 0;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

const MessageCatalogue* chosen = nullptr;

}  // namespace

MessageCatalogue::MessageCatalogue(std::string_view bytes) : bytes_(bytes) {
  if (word(bytes, 0) != kMagic) return;
  count_ = word(bytes, 8);
  originals_ = word(bytes, 12);
  translations_ = word(bytes, 16);
  if (originals_ + 8ull * count_ > bytes.size() || translations_ + 8ull * count_ > bytes.size())
    count_ = 0;
}

std::string_view MessageCatalogue::entry(std::uint32_t table, std::uint32_t index) const {
  const std::uint32_t length = word(bytes_, table + 8ull * index);
  const std::uint32_t offset = word(bytes_, table + 8ull * index + 4);
  // Every string is followed by its NUL, which find() hands out with it.
  if (std::uint64_t{offset} + length >= bytes_.size()) return {};
  return bytes_.substr(offset, length);
}

const char* MessageCatalogue::find(std::string_view id) const {
  // msgfmt sorts the originals bytewise.
  std::uint32_t low = 0, high = count_;
  while (low < high) {
    const std::uint32_t middle = low + (high - low) / 2;
    const int order = entry(originals_, middle).compare(id);
    if (order == 0) {
      const std::string_view translation = entry(translations_, middle);
      return translation.empty() ? nullptr : translation.data();
    }
    if (order < 0)
      low = middle + 1;
    else
      high = middle;
  }
  return nullptr;
}

void use_message_catalogue(const MessageCatalogue* catalogue) {
  chosen = catalogue;
}

const char* translate_from_catalogue(const char* id) {
  const char* found = chosen ? chosen->find(id) : nullptr;
  return found ? found : id;
}

}  // namespace fortuna
