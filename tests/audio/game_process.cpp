#include "audio/game_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "support/run_fortuna.h"

extern char** environ;

namespace fortuna::testing {

GameProcess::GameProcess(const std::vector<std::string>& args,
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
  std::vector<std::string> strings = {FORTUNA_BINARY};
  strings.insert(strings.end(), args.begin(), args.end());
  std::vector<char*> argv, envp;
  for (auto& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  std::vector<std::string> env_strings(environment);
  for (char** e = environ; *e; ++e) env_strings.emplace_back(*e);
  for (auto& s : env_strings) envp.push_back(s.data());
  envp.push_back(nullptr);
  if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[0]);
  input_ = fds[1];
}

GameProcess::~GameProcess() {
  close_input();
  if (pid_ > 0 && !reaped_ && wait_exit(std::chrono::seconds(5)) < 0) return;
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
  const auto give_up = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (std::chrono::steady_clock::now() < give_up) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      reaped_ = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  reaped_ = true;
  return -1;
}

std::string GameProcess::out() const {
  return read_file(folder_ / "out.txt");
}

std::string GameProcess::err() const {
  return read_file(folder_ / "err.txt");
}

}  // namespace fortuna::testing
