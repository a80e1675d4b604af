#include "load/load_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

namespace fortuna::load {

ServerProcess::ServerProcess(const std::string& program, const std::filesystem::path& data) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    failure_ = "pipe";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  std::vector<std::string> args = {
      program, "servidor", "--puerto", "0", "--datos", data.string(), "--conexiones-por-direccion",
      "100000"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  // The first line names the port; ten seconds at most.
  std::string said;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const std::regex listening("http://[^ ]*:([0-9]+)/");
  std::smatch found;
  while (pid_ > 0 && std::chrono::steady_clock::now() < end &&
         !std::regex_search(said, found, listening)) {
    pollfd ready{out[0], POLLIN, 0};
    if (poll(&ready, 1, 100) <= 0) continue;
    char buffer[512];
    const ssize_t got = read(out[0], buffer, sizeof buffer);
    if (got <= 0) break;
    said.append(buffer, static_cast<std::size_t>(got));
  }
  close(out[0]);
  if (std::regex_search(said, found, listening))
    port_ = static_cast<unsigned short>(std::stoi(found[1]));
  else
    failure_ = "the server did not say where it listens: " + said;
}

ServerProcess::~ServerProcess() {
  stop();
}

double ServerProcess::processor_seconds() const {
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string line;
  std::getline(stat, line);
  // Fields after the name in parentheses: utime and stime are the 12th and 13th.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 1; i <= 13 && fields >> field; ++i)
    if (i >= 12) ticks += std::stod(field);
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long ServerProcess::resident_kilobytes() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

long long ServerProcess::written_bytes() const {
  std::ifstream io("/proc/" + std::to_string(pid_) + "/io");
  for (std::string line; std::getline(io, line);)
    if (line.rfind("write_bytes:", 0) == 0) return std::stoll(line.substr(12));
  return 0;
}

int ServerProcess::stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int i = 0; i < 1000; ++i) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return -1;
}

long raise_open_files(long want) {
  rlimit limit{};
  getrlimit(RLIMIT_NOFILE, &limit);
  limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, static_cast<rlim_t>(want));
  setrlimit(RLIMIT_NOFILE, &limit);
  getrlimit(RLIMIT_NOFILE, &limit);
  return static_cast<long>(limit.rlim_cur);
}

}  // namespace fortuna::load
