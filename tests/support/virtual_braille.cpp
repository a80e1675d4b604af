#include "support/virtual_braille.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <tuple>
#include <vector>

extern char** environ;

namespace fortuna::testing {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kBrlapiBasePort = 4101;  // BrlAPI's port for server number 0

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

bool port_free(int port) {
  const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  const sockaddr_in address = loopback(port);
  const bool free = bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(probe);
  return free;
}

// Below the ephemeral range, spread by process and instance so that parallel tests differ.
std::pair<int, int> pick_ports() {
  static std::atomic<int> instances{0};
  const int seed = static_cast<int>(getpid()) * 7 + instances++ * 101;
  for (int tries = 0; tries < 64; ++tries) {
    const int number = 1000 + (seed + tries * 37) % 10000;  // BrlAPI ports 5101..15100
    const int display = 15200 + (seed + tries * 53) % 16000;
    if (port_free(kBrlapiBasePort + number) && port_free(display)) return {number, display};
  }
  return {0, 0};
}

// Visual "…" with \" and \\ escaped, padded with blanks to the width.
std::string unescape_visual(std::string_view line) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    text.push_back(line[i]);
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

bool VirtualBraille::brltty_installed() {
  return std::system("command -v brltty >/dev/null 2>&1") == 0;
}

bool VirtualBraille::required() {
  const char* value = std::getenv("FORTUNA_BRAILLE_REQUIRED");
  return value != nullptr && std::string_view(value) == "1";
}

VirtualBraille::VirtualBraille(std::size_t cells) : cells_(cells) {
  char pattern[] = "/tmp/fortuna-braille-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    error_ = "no scratch folder";
    return;
  }
  folder_ = pattern;
  std::tie(api_number_, display_port_) = pick_ports();
  if (api_number_ == 0) {
    error_ = "no free loopback ports";
    return;
  }
  launch();
}

bool VirtualBraille::restart() {
  kill();
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
  received_.clear();
  shown_.clear();
  error_.clear();
  return launch();
}

bool VirtualBraille::launch() {
  if (start() && !connect_display(5s) && error_.empty())
    error_ = "brltty never listened for its display";
  return error_.empty();
}

void VirtualBraille::signal(int number) {
  if (pid_ > 0) ::kill(pid_, number);
}

VirtualBraille::~VirtualBraille() {
  stop();
  if (socket_ >= 0) close(socket_);
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

BrlapiSettings VirtualBraille::settings() const {
  return {"127.0.0.1:" + std::to_string(api_number_), "none"};
}

bool VirtualBraille::start() {
  const std::string d = folder_.string();
  std::vector<std::string> args = {
      "brltty", "-n",
      "-q",     "-e",
      "-b",     "vr",
      "-d",     "server:127.0.0.1:" + std::to_string(display_port_),
      "-x",     "no",
      "-s",     "no",
      "-A",     "auth=none,host=127.0.0.1:" + std::to_string(api_number_),
      "-f",     "/dev/null",
      "-F",     d + "/prefs",
      "-W",     d,
      "-U",     d,
      "-P",     d + "/pid",
      "-L",     d + "/log",
      "-l",     "info"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  const std::string out = d + "/out";
  posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&files, 1, 2);
  const int failed = posix_spawnp(&pid_, "brltty", &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  if (failed != 0) {
    pid_ = -1;
    error_ = "brltty cannot be run";
    return false;
  }
  return true;
}

bool VirtualBraille::connect_display(std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  const sockaddr_in address = loopback(display_port_);
  while (Clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      error_ = "brltty ended at once: " + log();
      return false;
    }
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      const std::string hello = "cells " + std::to_string(cells_) + "\n";
      return send(socket_, hello.data(), hello.size(), MSG_NOSIGNAL) ==
             static_cast<ssize_t>(hello.size());
    }
    close(socket_);
    socket_ = -1;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

bool VirtualBraille::read_some(std::chrono::milliseconds limit) {
  if (socket_ < 0) return false;
  pollfd wait{socket_, POLLIN, 0};
  if (poll(&wait, 1, static_cast<int>(limit.count())) <= 0) return true;
  char bytes[4096];
  const ssize_t got = recv(socket_, bytes, sizeof bytes, 0);
  if (got <= 0) return false;
  received_.append(bytes, static_cast<std::size_t>(got));
  std::size_t end;
  while ((end = received_.find('\n')) != std::string::npos) {
    const std::string_view line(received_.data(), end);
    constexpr std::string_view kVisual = "Visual \"";
    if (line.starts_with(kVisual) && line.ends_with('"'))
      shown_ = unescape_visual(line.substr(kVisual.size(), line.size() - kVisual.size() - 1));
    received_.erase(0, end + 1);
  }
  return true;
}

bool VirtualBraille::wait_until(const std::function<bool(const std::string&)>& done,
                                std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!done(shown_)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || !read_some(left)) return done(shown_);
  }
  return true;
}

bool VirtualBraille::wait_for(std::string_view text, std::chrono::milliseconds limit) {
  return wait_until([&](const std::string& shown) { return shown == text; }, limit);
}

void VirtualBraille::press(std::string_view command) {
  if (socket_ < 0) return;
  const std::string line = std::string(command) + "\n";
  send(socket_, line.data(), line.size(), MSG_NOSIGNAL);
}

bool VirtualBraille::route_to(std::string_view text) {
  const auto at = shown_.find(text);
  if (at == std::string::npos) return false;
  std::size_t cell = 0;  // one a code point
  for (std::size_t i = 0; i < at; ++i)
    cell += (static_cast<unsigned char>(shown_[i]) & 0xC0) != 0x80;
  press("ROUTE " + std::to_string(cell));
  return true;
}

void VirtualBraille::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

void VirtualBraille::stop() {
  if (pid_ <= 0) return;
  // With its display still connected brltty ends on SIGTERM; one that waits for a display
  // ignores it, and is killed after a while.
  ::kill(pid_, SIGTERM);
  ::kill(pid_, SIGCONT);  // a test may have stopped it
  const auto deadline = Clock::now() + 2s;
  while (Clock::now() < deadline) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(10ms);
  }
  kill();
}

std::string VirtualBraille::log() const {
  std::ifstream file(folder_ / "out");
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace fortuna::testing
