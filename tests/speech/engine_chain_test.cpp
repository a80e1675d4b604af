#include "speech/engine_chain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/game_process.h"
#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

TEST(EngineChoice, EachEngineThatCannotStartSaysWhyInOneLineAndTheNextSpeaks) {
  // No sound device, and a socket where no speech service is, nor can be started.
  const RunResult r = run_fortuna_raw(
      {"--frontend", "headless", "--speech", "speechd"}, "Right\n",
      {"LANG=en_US.UTF-8", "SDL_AUDIODRIVER=no-such-driver",
       "SPEECHD_ADDRESS=unix_socket:/nonexistent/fortuna/speechd.sock", without_leak_checks()});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
  EXPECT_EQ(r.err.find("fortuna: speech-dispatcher"), 0u) << r.err;
  EXPECT_NE(r.err.find("; speaking through espeak-ng instead\nfortuna: "), std::string::npos)
      << r.err;
  // The text itself says it speaks: no start-up line after it.
  EXPECT_TRUE(r.err.ends_with("; speaking through text instead\n")) << r.err;
  EXPECT_TRUE(r.out.starts_with("la fortuna de vadod brunilda")) << r.out;
}

TEST(EngineChoice, TheStartUpLineNamesTheEngineAndItsVoice) {
  std::ostringstream out, err, later;
  const std::pair<EngineKind, std::string> cases[] = {
      {EngineKind::Espeak, "speaking through espeak-ng, voice Spanish (Spain)"},
      {EngineKind::Text, ""},
      {EngineKind::None, ""}};
  for (const auto& [kind, line] : cases)
    EXPECT_EQ(choose_engine(kind, out, err, later).startup_line, line);
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace fortuna::testing
