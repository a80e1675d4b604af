#include "support/background_run.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "support/run_fortuna.h"

extern char** environ;

namespace fortuna::testing {

bool eventually(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

BackgroundRun::BackgroundRun(std::vector<std::string> argv,
                             const std::vector<std::string>& environment)
    : folder_(scratch_dir()) {
  std::vector<std::string> variables;
  for (char** e = environ; *e; ++e) variables.emplace_back(*e);
  for (const std::string& change : environment) {
    const std::string name = change.substr(0, change.find('=')) + "=";
    std::erase_if(variables, [&](const std::string& v) { return v.starts_with(name); });
    if (change.find('=') != std::string::npos) variables.push_back(change);
  }
  std::vector<char*> args, envp;
  for (auto& a : argv) args.push_back(a.data());
  for (auto& v : variables) envp.push_back(v.data());
  args.push_back(nullptr);
  envp.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  const std::string out = folder_ / "out.txt", err = folder_ / "err.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[0]);
  input_ = fds[1];
}

BackgroundRun::~BackgroundRun() {
  close_input();
  if (pid_ <= 0 || status_ != -1) return;
  signal(SIGTERM);
  wait_exit(std::chrono::seconds(5));
}

void BackgroundRun::type(const std::string& text) {
  if (input_ >= 0) [[maybe_unused]] auto written = write(input_, text.data(), text.size());
}

void BackgroundRun::close_input() {
  if (input_ >= 0) close(input_);
  input_ = -1;
}

void BackgroundRun::signal(int number) const {
  if (pid_ > 0 && status_ == -1) kill(pid_, number);
}

int BackgroundRun::wait_exit(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return -1;
  if (status_ == -1 && !eventually([&] { return waitpid(pid_, &status_, WNOHANG) == pid_; }, limit)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
    return -1;
  }
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
}

std::string BackgroundRun::out() const {
  return read_file(folder_ / "out.txt");
}

std::string BackgroundRun::err() const {
  return read_file(folder_ / "err.txt");
}

}  // namespace fortuna::testing
