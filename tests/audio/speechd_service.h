// The running speech-dispatcher service, as the tests see it from outside.
#pragma once

#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace fortuna::testing {

// The process behind the service's socket, when one answers there.
inline std::optional<pid_t> speechd_service_pid() {
  std::string runtime;
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir)
    runtime = dir;
  else if (const char* home = std::getenv("HOME"))
    runtime = std::string(home) + "/.cache";
  const std::string path = runtime + "/speech-dispatcher/speechd.sock";
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  std::optional<pid_t> pid;
  ucred peer{};
  socklen_t length = sizeof peer;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.pid > 0)
    pid = peer.pid;
  close(fd);
  return pid;
}

}  // namespace fortuna::testing
