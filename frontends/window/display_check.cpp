#include "frontends/window/display_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace fortuna {

namespace {

// Display N listens on the local socket /tmp/.X11-unix/XN (Linux also binds it in the abstract
// namespace) and on TCP port 6000 + N. A connection still pending after this long is left for
// SDL to judge.
constexpr int kFirstPort = 6000, kConnectMilliseconds = 300;

// False only when the connection is refused.
bool connects(int family, const sockaddr* address, socklen_t length) {
  const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return true;
  bool answered = connect(fd, address, length) == 0 || errno == EINPROGRESS;
  pollfd waiting{fd, POLLOUT, 0};
  if (answered && errno == EINPROGRESS && poll(&waiting, 1, kConnectMilliseconds) == 1) {
    int error = 0;
    socklen_t size = sizeof error;
    answered = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
  close(fd);
  return answered;
}

bool local_display_answers(const std::string& number) {
  const std::string path = "/tmp/.X11-unix/X" + number;
  for (const std::size_t at : {1, 0}) {  // abstract first, then the file
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + at, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + at + path.size());
    if (connects(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length)) return true;
  }
  return false;
}

bool remote_display_answers(const std::string& host, const std::string& number) {
  addrinfo hints{}, *found = nullptr;
  hints.ai_socktype = SOCK_STREAM;
  const std::string port = std::to_string(kFirstPort + std::stoi(number));
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return true;
  bool answered = false;
  for (const addrinfo* at = found; at && !answered; at = at->ai_next)
    answered = connects(at->ai_family, at->ai_addr, at->ai_addrlen);
  freeaddrinfo(found);
  return answered;
}

}  // namespace

bool display_answers(const std::string& display) {
  const auto colon = display.rfind(':');
  const std::string host = display.substr(0, colon == std::string::npos ? 0 : colon);
  std::string number = colon == std::string::npos ? "" : display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  // Other names (a launchd path, a Wayland socket) are SDL's to judge.
  if (number.empty() || number.size() > 4 || host.starts_with("/") ||
      number.find_first_not_of("0123456789") != std::string::npos)
    return true;
  return host.empty() || host == "unix" ? local_display_answers(number)
                                        : remote_display_answers(host, number);
}

}  // namespace fortuna
