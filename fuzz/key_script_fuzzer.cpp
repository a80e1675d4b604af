// Any bytes as a key script, read whole or line by line as from a pipe: a script or a one-line
// error, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "data/text.h"
#include "run/key_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::istringstream in(bytes);
  std::ostringstream errors;
  fortuna::KeyScript script = fortuna::KeyScript::from_stream(in, false, errors);
  for (auto line = script.next(); line; line = script.next()) {
  }
  const std::string& error = script.error();
  // A message is one line, valid UTF-8 and not much longer than the line it names.
  if (error.find('\n') != std::string::npos || fortuna::repair_utf8(error) != error ||
      error.size() > 1000)
    __builtin_trap();
  return 0;
}
