// Any bytes as a client's frame: read into a request or refused with an error the server can
// write, never a crash; a name read is always one the server would accept as it is.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/text.h"
#include "server/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fortuna;
  const std::string_view frame(reinterpret_cast<const char*>(data), size);
  const auto read = read_request(frame);
  if (const auto* refusal = std::get_if<Refused>(&read)) {
    if (error_message(*refusal).find(refusal_code(refusal->refusal)) == std::string::npos)
      __builtin_trap();
    return 0;
  }
  const Request& request = std::get<Request>(read);
  const auto clean = [](const std::string& name) { return clean_name(name, 60) == name; };
  if (const auto* hello = std::get_if<request::Hello>(&request); hello && !clean(hello->name))
    __builtin_trap();
  if (const auto* rename = std::get_if<request::Rename>(&request);
      rename &&
      (rename->character < 0 || rename->character >= kCharacterCount || !clean(rename->name)))
    __builtin_trap();
  return 0;
}
