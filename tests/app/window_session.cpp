#include "window_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/run_fortuna.h"

namespace fortuna::testing {

namespace {

// Waits for a child without blocking past the limit; the raw status, or -1.
int wait_child(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    if (std::chrono::steady_clock::now() > end) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace

bool have_program(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string command_output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

Xvfb::Xvfb() {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, STDOUT_FILENO);
    dup2(devnull, STDERR_FILENO);
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // The server writes its display number once it accepts clients.
  pollfd ready{fds[0], POLLIN, 0};
  std::string number;
  while (poll(&ready, 1, 10000) > 0) {
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

Xvfb::~Xvfb() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  if (wait_child(pid_, std::chrono::seconds(5)) == -1) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

WindowRun::WindowRun(const std::string& display, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env)
    : display_(display), dir_(scratch_dir()) {
  std::vector<std::string> argv = {FORTUNA_BINARY, "--frontend", "window", "--transcript",
                                   (dir_ / "transcript.jsonl").string()};
  argv.insert(argv.end(), args.begin(), args.end());
  const std::string out = (dir_ / "stdout.txt").string(), err = (dir_ / "stderr.txt").string();
  pid_ = fork();
  if (pid_ == 0) {
    if (display.empty())
      unsetenv("DISPLAY");
    else
      setenv("DISPLAY", display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    // X11 and D-Bus keep allocations for the life of the process; a leak report on them would
    // fail a sanitized run for nothing of ours.
    const char* asan = getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    for (const auto& [name, value] : env)
      value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    execv(raw[0], raw.data());
    _exit(127);
  }
}

WindowRun::~WindowRun() {
  if (pid_ > 0 && status_ == -1) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string WindowRun::x(const std::string& command) const {
  return "DISPLAY=" + display_ + " " + command;
}

bool WindowRun::focus_window() {
  // Searched by class: the title is also checked by name, but name searches depend on locale.
  std::istringstream ids(
      command_output(x("timeout 20 xdotool search --sync --onlyvisible --class fortuna")));
  ids >> window_;
  if (window_.empty()) return false;
  return std::system(x("xdotool windowfocus --sync " + window_).c_str()) == 0;
}

void WindowRun::keys(const std::string& names) {
  std::system(x("xdotool key --delay 60 " + names).c_str());
}

void WindowRun::type(const std::string& text) {
  std::system(x("xdotool type --delay 100 " + shell_quote(text)).c_str());
}

bool WindowRun::screenshot(const std::filesystem::path& path) {
  return std::system(x("import -window root " + shell_quote(path.string())).c_str()) == 0;
}

void WindowRun::signal(int number) {
  if (pid_ > 0 && status_ == -1) kill(pid_, number);
}

Events WindowRun::events() const {
  Events events;
  std::istringstream lines(read_file(dir_ / "transcript.jsonl"));
  for (std::string line; std::getline(lines, line);) {
    // A line still being written is read again next time.
    if (line.empty() || line.back() != '}') break;
    events.push_back(nlohmann::json::parse(line));
  }
  return events;
}

bool WindowRun::wait_for(const std::function<bool(const Events&)>& done,
                         std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done(events())) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

int WindowRun::wait_exit(std::chrono::seconds limit) {
  if (status_ == -1 && pid_ > 0) status_ = wait_child(pid_, limit);
  if (status_ == -1) return -1;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
}

std::string WindowRun::out() const {
  return read_file(dir_ / "stdout.txt");
}

std::string WindowRun::err() const {
  return read_file(dir_ / "stderr.txt");
}

std::size_t count_events(const Events& events, const std::string& kind) {
  std::size_t n = 0;
  for (const auto& e : events) n += e.value("event", "") == kind;
  return n;
}

std::vector<std::string> texts_of(const Events& events, const std::string& kind,
                                  const std::string& field) {
  std::vector<std::string> texts;
  for (const auto& e : events)
    if (e.value("event", "") == kind) texts.push_back(e[field]);
  return texts;
}

}  // namespace fortuna::testing
