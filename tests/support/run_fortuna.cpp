#include "support/run_fortuna.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fortuna::testing {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::filesystem::path scratch_dir() {
  static std::atomic<int> counter{0};
  auto dir = std::filesystem::temp_directory_path() /
             ("fortuna-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(dir);
  return dir;
}

std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

namespace {
std::filesystem::path scratch(const std::string& name) {
  return scratch_dir() / name;
}
}  // namespace

std::vector<std::string> RunResult::spoken() const {
  std::vector<std::string> texts;
  for (const auto& e : events)
    if (e.value("event", "") == "speak") texts.push_back(e["text"]);
  return texts;
}

std::vector<std::string> RunResult::labels() const {
  std::vector<std::string> texts;
  for (const auto& e : events)
    if (e.value("event", "") == "label") texts.push_back(e["text"]);
  return texts;
}

RunResult run_fortuna_raw(const std::vector<std::string>& args, const std::string& stdin_text) {
  auto in = scratch("stdin.txt"), out = scratch("stdout.txt"), err = scratch("stderr.txt");
  std::ofstream(in, std::ios::binary) << stdin_text;
  std::string command = shell_quote(FORTUNA_BINARY);
  for (const auto& a : args) command += " " + shell_quote(a);
  command += " <" + shell_quote(in) + " >" + shell_quote(out) + " 2>" + shell_quote(err);
  int status = std::system(command.c_str());
  RunResult r;
  r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = read_file(out);
  r.err = read_file(err);
  return r;
}

RunResult run_fortuna(const std::string& script, const std::vector<std::string>& extra_args) {
  auto keys = scratch("keys.txt"), transcript = scratch("transcript.jsonl");
  std::ofstream(keys, std::ios::binary) << script;
  std::vector<std::string> args = {"--frontend",  "headless",     "--keys",
                                   keys.string(), "--transcript", transcript.string()};
  args.insert(args.end(), extra_args.begin(), extra_args.end());
  RunResult r = run_fortuna_raw(args);
  std::istringstream lines(read_file(transcript));
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) r.events.push_back(nlohmann::json::parse(line));
  return r;
}

}  // namespace fortuna::testing
