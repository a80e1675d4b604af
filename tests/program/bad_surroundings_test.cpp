// A run in broken surroundings ends with a one-line message and a status that says so, never
// with success and nothing said.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

struct Shell {
  int status;
  std::string err, out;
};

// Runs the program through the shell, with {} standing for it and {dir} for a scratch folder
// holding k.txt (Space, Enter, Space, Space, 1).
Shell shell(std::string command) {
  const auto dir = scratch_dir();
  std::ofstream(dir / "k.txt") << "Space\nEnter\nSpace\nSpace\n1\n";
  for (auto at = command.find("{dir}"); at != std::string::npos; at = command.find("{dir}"))
    command.replace(at, 5, dir.string());
  command.replace(command.find("{}"), 2, shell_quote(FORTUNA_BINARY));
  // In English, whatever locales the machine has: the reasons are the system's own words.
  const int status = std::system(("cd " + shell_quote(dir) +
                                  " && export LANG=en_US.UTF-8 && unset LC_ALL LANGUAGE && " +
                                  command + " 2>" + shell_quote(dir / "err") + " </dev/null")
                                     .c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(dir / "err"),
          read_file(dir / "t.jsonl")};
}

TEST(BadSurroundings, AFailedWriteOrAnUnreachableDisplayIsNeverSuccess) {
  const struct {
    const char* command;
    int status;
    const char* said;
  } cases[] = {
      {"{} --keys k.txt --transcript /dev/full", 1, "--transcript /dev/full: no space left"},
      {"{} --keys k.txt --transcript - >/dev/full", 1, "standard output: no space left"},
      {"{} --keys k.txt --speech text >/dev/full", 1, "standard output: no space left"},
      {"DISPLAY=:99 timeout 20 {} --frontend window", 2, "display cannot be reached"},
      {"{} --keys k.txt --clock ''", 2, "--clock"},
      {"{} --keys {dir} --transcript /dev/null", 2, "is a directory"},
      {"{} --keys nowhere.txt", 2, "no such file"},
      {"{} --keys k.txt --transcript {dir}", 2, "is a directory"},
  };
  for (const auto& c : cases) {
    const Shell run = shell(c.command);
    EXPECT_EQ(run.status, c.status) << c.command << "\n" << run.err;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << c.command << "\n" << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.command << "\n" << run.err;
  }
}

TEST(BadSurroundings, TheTranscriptStaysJsonWhateverElseTakesStandardOutput) {
  for (const char* command : {"{} --keys k.txt --speech text --transcript t.jsonl >&-",
                              "{} --keys k.txt --speech text --transcript - > t.jsonl"}) {
    const Shell run = shell(command);
    EXPECT_EQ(run.status, 0) << command << run.err;
    std::istringstream lines(run.out);
    int events = 0;
    for (std::string line; std::getline(lines, line); ++events)
      EXPECT_EQ(line.front(), '{') << command << ": " << line;
    EXPECT_GT(events, 5) << command;
  }
}

TEST(BadSurroundings, AKeyScriptFromWindowsOrWithInvisibleBytesIsReadOrNamedPlainly) {
  const auto dir = scratch_dir();
  std::ofstream(dir / "bom.txt") << "\xEF\xBB\xBFSpace\nEnter\n";
  std::ofstream(dir / "bad.txt") << "Space\nSp" << '\0' << "ace\xE2\x80\x8B\n";
  std::ofstream(dir / "long.txt") << std::string(3000, 'x') << '\n';
  EXPECT_EQ(run_fortuna_raw({"--keys", dir / "bom.txt"}).exit_code, 0);
  const RunResult bad = run_fortuna_raw({"--keys", dir / "bad.txt"}, "", {"LANG=en_US.UTF-8"});
  EXPECT_EQ(bad.exit_code, 2);
  EXPECT_NE(bad.err.find("line 2: unknown key name \"Sp\\x00ace\\u200b\""), std::string::npos)
      << bad.err;
  const RunResult long_line =
      run_fortuna_raw({"--keys", dir / "long.txt"}, "", {"LANG=en_US.UTF-8"});
  EXPECT_NE(long_line.err.find('"' + std::string(80, 'x') + "…\""), std::string::npos)
      << long_line.err;
}

}  // namespace
}  // namespace fortuna::testing

namespace fortuna::testing {
namespace {

// The program waiting for its next key on a pipe that stays open, ended by a signal.
TEST(BadSurroundings, ASignalEndsTheRunWithItsNumberNeverAsSuccess) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    const auto dir = scratch_dir();
    const std::string transcript = (dir / "t.jsonl").string();
    int keys[2];
    ASSERT_EQ(pipe(keys), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(keys[0], STDIN_FILENO);
      close(keys[1]);
      execl(FORTUNA_BINARY, FORTUNA_BINARY, "--frontend", "headless", "--transcript",
            transcript.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(keys[0]);
    [[maybe_unused]] auto written = write(keys[1], "Space\n", 6);
    for (int i = 0; i < 200 && read_file(transcript).find("\"key\"") == std::string::npos; ++i)
      usleep(10000);
    const auto sent = std::chrono::steady_clock::now();
    kill(pid, signal);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0 &&
           std::chrono::steady_clock::now() - sent < std::chrono::seconds(5))
      usleep(1000);
    close(keys[1]);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal;
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    const std::string events = read_file(transcript);
    EXPECT_TRUE(
        events.ends_with("{\"event\":\"exit\",\"code\":" + std::to_string(128 + signal) + "}\n"))
        << events;
  }
}

}  // namespace
}  // namespace fortuna::testing
