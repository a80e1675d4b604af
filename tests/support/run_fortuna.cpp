#include "support/run_fortuna.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace fortuna::testing {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<nlohmann::json> read_events(const std::filesystem::path& transcript) {
  std::vector<nlohmann::json> events;
  std::istringstream lines(read_file(transcript));
  for (std::string line; std::getline(lines, line) && line.ends_with('}');)
    events.push_back(nlohmann::json::parse(line));
  return events;
}

bool eventually(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::filesystem::path scratch_dir() {
  // One folder for this test process, removed when it ends.
  static const struct Root {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("fortuna-tests-" + std::to_string(getpid()));
    ~Root() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } root;
  static int count = 0;
  const auto dir = root.path / std::to_string(count++);
  std::filesystem::create_directories(dir);
  return dir;
}

std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

RunResult run_fortuna_raw(const std::vector<std::string>& args, const std::string& stdin_text,
                          const std::vector<std::string>& locale) {
  const auto dir = scratch_dir();
  std::ofstream(dir / "stdin", std::ios::binary) << stdin_text;
  std::string command = "env -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE";
  for (const auto& variable : locale) command += " " + shell_quote(variable);
  command += " " + shell_quote(FORTUNA_BINARY);
  for (const auto& a : args) command += " " + shell_quote(a);
  command += " <" + shell_quote(dir / "stdin") + " >" + shell_quote(dir / "stdout") + " 2>" +
             shell_quote(dir / "stderr");
  const int status = std::system(command.c_str());
  RunResult r;
  r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = read_file(dir / "stdout");
  r.err = read_file(dir / "stderr");
  return r;
}

RunResult run_fortuna(const std::string& script, const std::vector<std::string>& extra_args) {
  const auto dir = scratch_dir();
  std::ofstream(dir / "keys", std::ios::binary) << script;
  std::vector<std::string> args = {"--frontend", "headless",     "--keys",
                                   dir / "keys", "--transcript", dir / "transcript"};
  args.insert(args.end(), extra_args.begin(), extra_args.end());
  RunResult r = run_fortuna_raw(args);
  r.events = read_events(dir / "transcript");
  return r;
}

}  // namespace fortuna::testing
