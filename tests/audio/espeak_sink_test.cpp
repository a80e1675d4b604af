// The espeak-ng engine on the sound server's real sink, recorded from its monitor.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "audio/sound_server.h"
#include "speech/espeak_engine.h"
#include "support/sink_monitor.h"
#include "support/sound_analysis.h"

namespace fortuna::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const std::string kLongText =
    "en el salón de la mansión los herederos esperan en silencio mientras el notario lee con "
    "calma cada línea del testamento y nadie se atreve a mirar a los demás a los ojos";

constexpr std::size_t samples_in(milliseconds duration) {
  return static_cast<std::size_t>(duration.count()) * SinkMonitor::kRate / 1000;
}

class EspeakOnSink : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    monitor = SinkMonitor::start(error);
    FORTUNA_NEEDS_AUDIO(monitor, error);
    setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    engine = EspeakEngine::open(error);
    ASSERT_TRUE(engine) << error;
  }

  // Speaks the long text and returns once the sink is playing it (its first sound's index).
  std::optional<std::size_t> start_long_text() {
    const auto said = Clock::now();
    engine->speak(kLongText);
    const auto give_up = said + std::chrono::seconds(3);
    while (Clock::now() < give_up) {
      std::this_thread::sleep_for(milliseconds(5));
      if (auto at = first_sound(monitor->samples(), monitor->index_at(said))) return at;
    }
    return std::nullopt;
  }

  std::unique_ptr<SinkMonitor> monitor;
  std::unique_ptr<EspeakEngine> engine;
};

TEST_F(EspeakOnSink, APurgeFadesOutWithoutAClickAndSoonIsSilent) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 8; ++trial) {
    ASSERT_TRUE(start_long_text());
    std::this_thread::sleep_for(milliseconds(200 + random() % 700));
    const auto key = Clock::now();
    engine->speak("");
    monitor->wait_until_recorded(key + milliseconds(300));
    const auto samples = monitor->samples();
    const auto end = end_of_sound(samples, monitor->index_at(key), samples_in(milliseconds(40)));
    ASSERT_TRUE(end) << "trial " << trial << ": still sounding 300 ms after the purge";
    // Generous for a loaded machine; the benchmark measures the real figure (under 10 ms).
    EXPECT_LT(monitor->time_of(*end) - key, milliseconds(60)) << "trial " << trial;
    // The last millisecond of sound and the step into silence: a cut mid-swing jumps by up to
    // a third of full scale in one sample; a fade never more than a small fraction.
    const int step = largest_step(samples, *end - samples_in(milliseconds(1)), *end + 5);
    EXPECT_LT(step, 32768 / 12) << "trial " << trial << ": a click at the cut";
  }
}

}  // namespace
}  // namespace fortuna::testing
