// The running speech-dispatcher service, as the tests see it from outside.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace fortuna::testing {

// The service's process, from the file it keeps its number in, when it is alive. (The
// socket's peer is the process that began listening, before the service left its parent.)
inline std::optional<pid_t> speechd_service_pid() {
  std::string runtime;
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir)
    runtime = dir;
  else if (const char* home = std::getenv("HOME"))
    runtime = std::string(home) + "/.cache";
  std::ifstream file(runtime + "/speech-dispatcher/pid/speech-dispatcher.pid");
  pid_t pid = 0;
  if (!(file >> pid) || pid <= 0 || kill(pid, 0) != 0) return std::nullopt;
  return pid;
}

}  // namespace fortuna::testing
