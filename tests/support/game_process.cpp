#include "support/game_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/run_fortuna.h"

extern char** environ;

namespace fortuna::testing {

GameProcess::GameProcess(const std::vector<std::string>& command,
                         const std::vector<std::string>& environment)
    : folder_(scratch_dir()) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  const std::string out = (folder_ / "out.txt").string(), err = (folder_ / "err.txt").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> strings(command), env;
  for (const auto& entry : environment)
    if (entry.find('=') != std::string::npos) env.push_back(entry);
  // The first of two entries with one name is the one read; a name given is never inherited.
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e, name = entry.substr(0, entry.find('='));
    bool given = false;
    for (const auto& mine : environment) given |= mine.substr(0, mine.find('=')) == name;
    if (!given) env.push_back(entry);
  }
  std::vector<char*> argv, envp;
  for (auto& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  for (auto& s : env) envp.push_back(s.data());
  envp.push_back(nullptr);
  if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[0]);
  input_ = fds[1];
}

GameProcess::~GameProcess() {
  close_input();
  if (pid_ <= 0 || status_ != -2) return;
  kill(pid_, SIGTERM);
  wait_exit(std::chrono::seconds(5));
}

void GameProcess::type(const std::string& keys) {
  if (input_ < 0) return;
  [[maybe_unused]] auto written = write(input_, keys.data(), keys.size());
}

void GameProcess::close_input() {
  if (input_ >= 0) close(input_);
  input_ = -1;
}

int GameProcess::wait_exit(std::chrono::seconds limit) {
  if (pid_ <= 0) return -1;
  if (status_ != -2) return status_;
  int status = 0;
  if (!eventually([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, limit)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    return status_ = -1;
  }
  return status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string GameProcess::out() const {
  return read_file(folder_ / "out.txt");
}

std::string GameProcess::err() const {
  return read_file(folder_ / "err.txt");
}

std::string without_leak_checks() {
  const char* asan = std::getenv("ASAN_OPTIONS");
  return "ASAN_OPTIONS=" + std::string(asan ? asan : "") + ":detect_leaks=0";
}

}  // namespace fortuna::testing
