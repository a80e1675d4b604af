// Every text the game can speak or show, pinned: each key script in tests/golden, played with
// its clock, must give its recorded transcript byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/run_fortuna.h"

namespace fortuna::testing {

namespace {

std::string clock_of(const std::string& script) {
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("# clock: ", 0) == 0) return line.substr(9);
  return {};
}

// The first line where the two differ, for a readable failure.
std::string first_difference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected), b(actual);
  std::string la, lb;
  for (int n = 1;; ++n) {
    const bool more_a = static_cast<bool>(std::getline(a, la));
    const bool more_b = static_cast<bool>(std::getline(b, lb));
    if (!more_a && !more_b) return "no difference by line";
    if (la != lb || more_a != more_b)
      return "line " + std::to_string(n) + "\n  recorded: " + la + "\n  now:      " + lb;
  }
}

}  // namespace

TEST(Golden, EveryKeyScriptGivesItsRecordedTranscript) {
  const auto folder = std::filesystem::path(FORTUNA_SOURCE_DIR) / "tests" / "golden";
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".keys") continue;
    ++scripts;
    const std::string script = read_file(entry.path());
    const auto transcript = scratch_dir() / "transcript.jsonl";
    const RunResult r = run_fortuna_raw({"--keys", entry.path().string(), "--clock",
                                         clock_of(script), "--transcript", transcript.string()});
    EXPECT_EQ(r.exit_code, 0) << entry.path() << r.err;
    const std::string expected =
        read_file(std::filesystem::path(entry.path()).replace_extension(".jsonl"));
    const std::string actual = read_file(transcript);
    EXPECT_TRUE(expected == actual)
        << entry.path().filename() << ": " << first_difference(expected, actual);
  }
  EXPECT_GE(scripts, 5);
}

}  // namespace fortuna::testing
