#include "speech/failover_engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "support/recording_engine.h"
#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

// Two recording engines, the first failing when the test gives it a fault.
struct Chain {
  std::shared_ptr<std::string> fault = std::make_shared<std::string>();
  RecordingEngine *first = nullptr, *second = nullptr;
  std::ostringstream messages;
  std::unique_ptr<FailoverEngine> engine;
  Chain() {
    auto owned = std::make_unique<RecordingEngine>();
    first = owned.get();
    engine = std::make_unique<FailoverEngine>(
        OpenedEngine{std::move(owned), [fault = fault] { return *fault; }, "speech-dispatcher"},
        [this] {
          auto next = std::make_unique<RecordingEngine>();
          second = next.get();
          return OpenedEngine{std::move(next), nullptr, "espeak-ng"};
        },
        messages);
  }
};

// A failure found at a key is the speech-dispatcher test's (tests/audio).
TEST(FailoverEngine, TheWatcherHandsOverWhileIdleWithOneLineTheRateAndTheUnfinishedText) {
  Chain chain;
  chain.engine->set_rate(-12);
  chain.engine->speak("la fortuna de vadod brunilda");
  EXPECT_EQ(chain.second, nullptr) << "while the first engine works everything goes to it";
  *chain.fault = "speech-dispatcher did not begin a text within a second";
  eventually([&] { return !chain.messages.str().empty(); });
  chain.engine->wait_until_done();  // holds the lock: the hand-over is complete
  ASSERT_NE(chain.second, nullptr);
  EXPECT_EQ(chain.second->calls,
            (std::vector<std::string>{"la fortuna de vadod brunilda", "(wait)"}));
  EXPECT_EQ(chain.second->rate(), -12);
  EXPECT_EQ(chain.engine->current_name(), "espeak-ng");
  EXPECT_EQ(chain.messages.str(),
            "fortuna: speech-dispatcher did not begin a text within a second; speaking through "
            "espeak-ng instead\n");
}

TEST(FailoverEngine, AWaitThatEndsInAFailureWaitsForTheNextEngineSayingTheText) {
  Chain chain;
  chain.engine->speak("el notario");
  *chain.fault = "speech-dispatcher never finished a text";
  chain.engine->wait_until_done();
  ASSERT_NE(chain.second, nullptr);
  EXPECT_EQ(chain.second->calls, (std::vector<std::string>{"el notario", "(wait)"}));
}

}  // namespace
}  // namespace fortuna::testing
