#include "frontends/window/display_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>

namespace fortuna {

namespace {

using Clock = std::chrono::steady_clock;

// Display N listens on the local socket /tmp/.X11-unix/XN (Linux also binds it in the abstract
// namespace) and on TCP port 6000 + N. A server answers a client's greeting in microseconds
// here and in milliseconds across a network, or in a second or two where the desktop starts its
// X server for the first client (Xwayland); one that has not in this long is not coming back.
constexpr int kFirstPort = 6000;
constexpr auto kAnswerTime = std::chrono::seconds(5);

// A client's first twelve bytes, least significant byte first: protocol 11.0, no
// authorisation. Any server answers them, if only to say the authorisation is missing.
constexpr unsigned char kGreeting[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Waits for events on fd until the deadline; false on a timeout or an error.
bool wait_for(int fd, short events, Clock::time_point deadline) {
  while (true) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd waiting{fd, events, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}

DisplayReply greet_on(int fd, const sockaddr* address, socklen_t length) {
  const auto deadline = Clock::now() + kAnswerTime;
  if (connect(fd, address, length) != 0) {
    if (errno != EINPROGRESS) return DisplayReply::Refuses;
    if (!wait_for(fd, POLLOUT, deadline)) return DisplayReply::Silent;
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
      return DisplayReply::Refuses;
  }
  if (send(fd, kGreeting, sizeof kGreeting, MSG_NOSIGNAL) != sizeof kGreeting)
    return DisplayReply::Refuses;
  unsigned char answer = 0;
  if (!wait_for(fd, POLLIN, deadline)) return DisplayReply::Silent;
  // Closed without a word: a forwarding whose far end is gone.
  return recv(fd, &answer, 1, 0) == 1 ? DisplayReply::Answers : DisplayReply::Refuses;
}

DisplayReply greet(int family, const sockaddr* address, socklen_t length) {
  const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return DisplayReply::Answers;  // out of descriptors: SDL will say so
  const DisplayReply reply = greet_on(fd, address, length);
  close(fd);
  return reply;
}

DisplayReply local_display(const std::string& number) {
  const std::string path = "/tmp/.X11-unix/X" + number;
  DisplayReply reply = DisplayReply::Refuses;
  for (const std::size_t at : {1, 0}) {  // abstract first, then the file, as clients try them
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + at, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + at + path.size());
    reply = greet(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length);
    if (reply != DisplayReply::Refuses) return reply;
  }
  return reply;
}

DisplayReply remote_display(const std::string& host, const std::string& number) {
  addrinfo hints{}, *found = nullptr;
  hints.ai_socktype = SOCK_STREAM;
  const std::string port = std::to_string(kFirstPort + std::stoi(number));
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return DisplayReply::Answers;
  DisplayReply reply = DisplayReply::Refuses;
  for (const addrinfo* at = found; at && reply == DisplayReply::Refuses; at = at->ai_next)
    reply = greet(at->ai_family, at->ai_addr, at->ai_addrlen);
  freeaddrinfo(found);
  return reply;
}

}  // namespace

DisplayReply check_display(const std::string& display) {
  const auto colon = display.rfind(':');
  const std::string host = display.substr(0, colon == std::string::npos ? 0 : colon);
  std::string number = colon == std::string::npos ? "" : display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  // Other names (a launchd path, a Wayland socket) are SDL's to judge.
  if (number.empty() || number.size() > 4 || host.starts_with("/") ||
      number.find_first_not_of("0123456789") != std::string::npos)
    return DisplayReply::Answers;
  return host.empty() || host == "unix" ? local_display(number) : remote_display(host, number);
}

}  // namespace fortuna
