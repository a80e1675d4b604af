// The engines' parts that need no sound server nor speech service.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "speech/fading_queue.h"
#include "speech/serial_worker.h"
#include "speech/speechd_engine.h"

namespace fortuna::testing {
namespace {

TEST(FadingQueue, APurgeFadesWhatPlaysNextToSilenceWithoutAStepAndDropsTheRest) {
  // A full-scale square wave: the worst a cut can meet.
  const struct {
    std::size_t queued, fade, kept;
  } cases[] = {{1000, 66, 66}, {40, 66, 40}, {0, 66, 0}};
  for (const auto& c : cases) {
    FadingQueue queue(c.fade);
    std::vector<std::int16_t> wave(c.queued);
    for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = (i / 10) % 2 ? 30000 : -30000;
    queue.push(wave.data(), wave.size());
    queue.purge();
    ASSERT_EQ(queue.size(), c.kept) << c.queued;
    std::vector<std::int16_t> out(c.kept + 1);
    queue.pull(out.data(), out.size());
    if (c.kept == 0) continue;
    EXPECT_GT(std::abs(out.front()), 29000) << "the fade starts where the wave is";
    int largest_drop = 0;  // between neighbours of the same sign: the fade's own steps
    for (std::size_t i = 1; i < out.size(); ++i)
      if ((out[i] >= 0) == (out[i - 1] >= 0))
        largest_drop = std::max(largest_drop, std::abs(out[i - 1]) - std::abs(out[i]));
    EXPECT_LT(largest_drop, 30000 * 3.2 / static_cast<double>(c.kept)) << c.queued;
    EXPECT_LT(std::abs(out[c.kept - 1]), 30000 / 20) << "the last faded sample is near silence";
    EXPECT_EQ(out[c.kept], 0);
  }
}

TEST(FadingQueue, WhatComesAfterAPurgePlaysWholeAfterTheFadeAndSilenceFillsTheRest) {
  FadingQueue queue(4);
  const std::vector<std::int16_t> old(100, 20000), next = {7, 8, 9};
  queue.push(old.data(), old.size());
  queue.purge();
  queue.push(next.data(), next.size());
  std::vector<std::int16_t> out(9, 99);
  EXPECT_EQ(queue.pull(out.data(), 9), 7u);
  EXPECT_EQ(std::vector<std::int16_t>(out.begin() + 4, out.end()),
            (std::vector<std::int16_t>{7, 8, 9, 0, 0}));
  EXPECT_LT(out[3], out[0]);
}

using std::chrono::milliseconds;

TEST(SerialWorker, RunsJobsInTurnAndGivesTheirResults) {
  SerialWorker worker;
  auto order = std::make_shared<std::vector<int>>();
  worker.post([order] { order->push_back(1); });
  EXPECT_TRUE(worker.run([order] { order->push_back(2); }, milliseconds(2000)));
  EXPECT_EQ(*order, (std::vector<int>{1, 2}));
  EXPECT_EQ(worker.call<int>([] { return 42; }, milliseconds(2000)), 42);
}

TEST(SerialWorker, AJobThatOverrunsLeavesTheWorkerStuckAndLaterCallsFailAtOnce) {
  auto release = std::make_shared<std::atomic<bool>>(false);
  {
    SerialWorker worker;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(worker.run(
        [release] {
          while (!*release) std::this_thread::sleep_for(milliseconds(1));
        },
        milliseconds(50)));
    EXPECT_TRUE(worker.stuck());
    EXPECT_FALSE(worker.call<int>([] { return 1; }, milliseconds(5000)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(2000));
  }  // the stuck thread is left behind, not waited for
  *release = true;
  std::this_thread::sleep_for(milliseconds(20));  // let it end before the test does
}

TEST(SpeechdRate, ZeroKeepsThePlayersRateAndFiftyReachesEitherEnd) {
  const struct {
    int logical, player, service;
  } cases[] = {{0, 30, 30},    {50, 30, 100},  {-50, 30, -100},   {25, 60, 80},
               {-25, 60, -20}, {1000, 0, 100}, {-1000, 100, -100}};
  for (const auto& c : cases)
    EXPECT_EQ(speechd_rate(c.logical, c.player), c.service) << c.logical << " " << c.player;
  for (int player : {-100, -40, 0, 70, 100})
    for (int logical = -54; logical < 54; ++logical)
      EXPECT_LE(speechd_rate(logical, player), speechd_rate(logical + 1, player));
}

// The real service's own list is the speech-dispatcher tests' (tests/audio).
TEST(SpeechdVoices, TheReplyIsReadInOrderAndOnlyTheSpanishVoicesAreKept) {
  const auto all = parse_voice_list(
      "249-Afrikaans\taf\tnone\r\n249-Spanish (Spain)\tes\tnone\r\n249-broken line\r\n"
      "249-Spanish (Latin America)\tes-419\tnone\r\n249 OK VOICE LIST SENT\r\n");
  std::vector<std::string> names;
  for (const auto& voice : spanish_voices(all)) names.push_back(voice.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Spanish (Spain)", "Spanish (Latin America)"}));
  // A service without Spanish keeps all its voices; a failed reply gives none.
  EXPECT_EQ(spanish_voices({{"Afrikaans", "af"}}).size(), 1u);
  EXPECT_TRUE(parse_voice_list("300 ERR\r\n").empty());
}

}  // namespace
}  // namespace fortuna::testing
