#include "frontends/window/display_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace fortuna {

namespace {

// X's convention: display N listens on the local socket /tmp/.X11-unix/XN (Linux also binds
// it in the abstract namespace) and on TCP port 6000 + N.
constexpr int kFirstPort = 6000;
// A remote display slower than this is left for SDL to judge.
constexpr int kConnectMilliseconds = 300;

enum class Answer { Yes, No, Unknown };

Answer connect_within(int fd, const sockaddr* address, socklen_t length) {
  fcntl(fd, F_SETFL, O_NONBLOCK);
  if (connect(fd, address, length) == 0) return Answer::Yes;
  if (errno != EINPROGRESS) return Answer::No;
  pollfd waiting{fd, POLLOUT, 0};
  if (poll(&waiting, 1, kConnectMilliseconds) != 1) return Answer::Unknown;
  int error = 0;
  socklen_t size = sizeof error;
  getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
  return error == 0 ? Answer::Yes : Answer::No;
}

Answer local_answers(const std::string& number) {
  const std::string path = "/tmp/.X11-unix/X" + number;
  for (const bool abstract : {true, false}) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() + 2 > sizeof address.sun_path) return Answer::Unknown;
    std::memcpy(address.sun_path + (abstract ? 1 : 0), path.data(), path.size());
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + (abstract ? 1 : 0));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return Answer::Unknown;
    const Answer answer = connect_within(fd, reinterpret_cast<const sockaddr*>(&address), length);
    close(fd);
    if (answer == Answer::Yes) return answer;
  }
  return Answer::No;
}

Answer remote_answers(const std::string& host, int number) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(kFirstPort + number);
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return Answer::Unknown;
  Answer answer = Answer::No;
  for (const addrinfo* at = found; at && answer != Answer::Yes; at = at->ai_next) {
    const int fd = socket(at->ai_family, at->ai_socktype | SOCK_CLOEXEC, at->ai_protocol);
    if (fd < 0) continue;
    const Answer this_one = connect_within(fd, at->ai_addr, at->ai_addrlen);
    close(fd);
    if (this_one != Answer::No) answer = this_one;
  }
  freeaddrinfo(found);
  return answer;
}

// "host:number.screen" -> host and number; nothing for what is not that.
std::optional<std::pair<std::string, std::string>> parts_of(const std::string& display) {
  const auto colon = display.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  std::string number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos ||
      number.size() > 5)
    return std::nullopt;
  return std::pair{display.substr(0, colon), number};
}

}  // namespace

bool display_answers(const std::string& display) {
  const auto parts = parts_of(display);
  // Other names (a launchd path, "wayland-0") are SDL's to judge.
  if (!parts || parts->first.starts_with("/")) return true;
  const auto& [host, number] = *parts;
  const Answer answer = host.empty() || host == "unix" ? local_answers(number)
                                                       : remote_answers(host, std::stoi(number));
  return answer != Answer::No;
}

}  // namespace fortuna
