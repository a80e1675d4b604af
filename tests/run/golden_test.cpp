// Every text the game can speak or show, pinned: each key script in tests/golden, played with
// its clock (its "# clock: " line), must give its recorded transcript byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_fortuna.h"

namespace fortuna::testing {

TEST(Golden, EveryKeyScriptGivesItsRecordedTranscript) {
  const auto folder = std::filesystem::path(FORTUNA_SOURCE_DIR) / "tests" / "golden";
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".keys") continue;
    ++scripts;
    const std::string script = read_file(entry.path());
    const auto clock = script.find("# clock: ") + 9;
    const auto transcript = scratch_dir() / "transcript.jsonl";
    const RunResult r = run_fortuna_raw({"--keys", entry.path().string(), "--clock",
                                         script.substr(clock, script.find('\n', clock) - clock),
                                         "--transcript", transcript.string()});
    EXPECT_EQ(r.exit_code, 0) << entry.path() << r.err;
    // gtest shows the lines that differ.
    EXPECT_EQ(read_file(std::filesystem::path(entry.path()).replace_extension(".jsonl")),
              read_file(transcript))
        << entry.path().filename();
  }
  EXPECT_GE(scripts, 5);
}

}  // namespace fortuna::testing
