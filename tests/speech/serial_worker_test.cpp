#include "speech/serial_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace fortuna {
namespace {

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

}  // namespace
}  // namespace fortuna
