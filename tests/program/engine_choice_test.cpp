#include "program/engine_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "support/run_fortuna.h"

namespace fortuna {
namespace {

TEST(EngineChoice, NamesAndTheOrderOfHandOvers) {
  using K = EngineKind;
  const struct {
    const char* name;
    std::vector<K> chain;
  } cases[] = {{"speechd", {K::Speechd, K::Espeak, K::Text}},
               {"espeak", {K::Espeak, K::Text}},
               {"sapi", {K::Sapi, K::Text}},
               {"text", {K::Text}},
               {"none", {K::None}}};
  for (const auto& c : cases) {
    const auto kind = engine_kind(c.name);
    ASSERT_TRUE(kind) << c.name;
    EXPECT_EQ(fallback_chain(*kind), c.chain) << c.name;
  }
  EXPECT_FALSE(engine_kind("espeak-ng"));
  EXPECT_FALSE(engine_kind(""));
}

// Sets environment variables for the life of a test, then puts them back.
class Environment {
 public:
  void set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value, 1);
  }
  ~Environment() {
    for (auto& [name, value] : saved_)
      value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(EngineChoice, EachEngineThatCannotStartSaysWhyInOneLineAndTheNextSpeaks) {
  Environment environment;
  environment.set("SDL_AUDIODRIVER", "no-such-driver");
  // A socket where no service is, nor can be started.
  environment.set("SPEECHD_ADDRESS", "unix_socket:/nonexistent/fortuna/speechd.sock");
  // The service's library keeps what a failed connection allocated: no leak report on it.
  const char* asan = std::getenv("ASAN_OPTIONS");
  environment.set("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str());
  testing::RunResult r = testing::run_fortuna_raw({"--frontend", "headless", "--speech", "speechd"},
                                                  "Right\n", {"LANG=en_US.UTF-8"});
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
  const struct {
    EngineKind kind;
    std::string line;
  } cases[] = {{EngineKind::Espeak, "speaking through espeak-ng, voice Spanish (Spain)"},
               {EngineKind::Text, ""},
               {EngineKind::None, ""}};
  for (const auto& c : cases) {
    EngineChoice choice = choose_engine(c.kind, out, err, later);
    EXPECT_EQ(choice.startup_line, c.line);
  }
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace fortuna
