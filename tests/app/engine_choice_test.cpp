#include "app/engine_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

namespace fortuna {
namespace {

TEST(EngineChoice, NamesAndTheOrderOfHandOvers) {
  using K = EngineKind;
  const struct {
    const char* name;
    std::vector<K> chain;
  } cases[] = {{"speechd", {K::Speechd, K::Espeak, K::Text}},
               {"espeak", {K::Espeak, K::Text}},
               {"text", {K::Text}},
               {"none", {K::None}}};
  for (const auto& c : cases) {
    const auto kind = engine_kind(c.name);
    ASSERT_TRUE(kind) << c.name;
    EXPECT_EQ(fallback_chain(*kind), c.chain) << c.name;
  }
  EXPECT_FALSE(engine_kind("sapi"));
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
  std::ostringstream out, err, later;
  EngineChoice choice = choose_engine(EngineKind::Speechd, out, err, later);
  ASSERT_TRUE(choice.engine);
  const std::string lines = err.str();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
  EXPECT_EQ(lines.find("fortuna: speech-dispatcher"), 0u) << lines;
  EXPECT_NE(lines.find("; speaking through espeak-ng instead\nfortuna: "), std::string::npos)
      << lines;
  EXPECT_TRUE(lines.ends_with("; speaking through text instead\n")) << lines;
  EXPECT_EQ(choice.startup_line, "speaking as text on standard output");
  choice.engine->speak("hola");
  EXPECT_EQ(out.str(), "hola\n");
  EXPECT_EQ(later.str(), "");
}

TEST(EngineChoice, TheStartUpLineNamesTheEngineAndItsVoice) {
  std::ostringstream out, err, later;
  const struct {
    EngineKind kind;
    std::string line;
  } cases[] = {{EngineKind::Espeak, "speaking through espeak-ng, voice Spanish (Spain)"},
               {EngineKind::Text, "speaking as text on standard output"},
               {EngineKind::None, "silent (--speech none)"}};
  for (const auto& c : cases) {
    EngineChoice choice = choose_engine(c.kind, out, err, later);
    EXPECT_EQ(choice.startup_line, c.line);
  }
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace fortuna
