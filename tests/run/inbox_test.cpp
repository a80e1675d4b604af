// The inbox: other threads' tasks run on the one thread that asks, in order, and a loop can
// wait on it beside its own input.
#include "run/inbox.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <istream>
#include <string>
#include <thread>
#include <vector>

#include "run/interrupt_source.h"
#include "run/interruptible_input.h"

namespace fortuna::testing {
namespace {

bool readable(int fd) {
  pollfd wait{fd, POLLIN, 0};
  return poll(&wait, 1, 0) == 1;
}

TEST(Inbox, TasksFromManyThreadsRunOnTheCallersThreadEachThreadsInOrder) {
  Inbox inbox;
  EXPECT_FALSE(readable(inbox.fd()));
  constexpr int kThreads = 4, kEach = 500;
  std::vector<std::vector<int>> seen(kThreads);
  std::atomic<int> wrong_thread{0};
  const auto caller = std::this_thread::get_id();
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i)
        inbox.post([&, t, i] {
          if (std::this_thread::get_id() != caller) ++wrong_thread;
          seen[t].push_back(i);
        });
    });
  std::size_t ran = 0;
  // Served while they post, as a front end's loop would, waiting on the handle in between.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (ran < kThreads * kEach && std::chrono::steady_clock::now() < deadline) {
    pollfd wait{inbox.fd(), POLLIN, 0};
    poll(&wait, 1, 100);
    ran += inbox.run_pending();
  }
  for (auto& poster : posters) poster.join();
  ran += inbox.run_pending();
  EXPECT_EQ(ran, static_cast<std::size_t>(kThreads * kEach));
  EXPECT_EQ(wrong_thread, 0);
  for (const auto& one : seen) {
    ASSERT_EQ(one.size(), static_cast<std::size_t>(kEach));
    for (int i = 0; i < kEach; ++i) ASSERT_EQ(one[i], i);
  }
  EXPECT_FALSE(readable(inbox.fd())) << "the handle stays raised with nothing waiting";
}

TEST(Inbox, ATaskPostedByATaskWaitsForTheNextRoundAndTheWakerStopsWhenReplaced) {
  Inbox inbox;
  int wakes = 0, runs = 0;
  inbox.set_waker([&] { ++wakes; });
  std::function<void()> again = [&] {
    ++runs;
    inbox.post(again);
  };
  inbox.post(again);
  EXPECT_EQ(inbox.run_pending(), 1u);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(readable(inbox.fd()));
  EXPECT_EQ(wakes, 2);
  inbox.set_waker({});
  EXPECT_EQ(inbox.run_pending(), 1u);
  EXPECT_EQ(wakes, 2);
}

// The headless front end's wait on standard input: a whole line, or the inbox, whichever first.
TEST(InterruptibleInput, WaitsForAWholeLineOrTheInboxAndGivesTheLineWhole) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  InterruptSource interrupts;
  Inbox inbox;
  InterruptibleInput buffer(fds[0], interrupts);
  std::istream in(&buffer);
  ASSERT_EQ(write(fds[1], "Spa", 3), 3);
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    inbox.post([] {});
  });
  EXPECT_EQ(buffer.wait_line(inbox), InterruptibleInput::Ready::Inbox);
  poster.join();
  EXPECT_EQ(inbox.run_pending(), 1u);
  ASSERT_EQ(write(fds[1], "ce\nEnt", 6), 6);
  EXPECT_EQ(buffer.wait_line(inbox), InterruptibleInput::Ready::Line);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "Space");
  close(fds[1]);
  // The end of the input is a line too: the last one, unfinished, then nothing.
  EXPECT_EQ(buffer.wait_line(inbox), InterruptibleInput::Ready::Line);
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "Ent");
  EXPECT_FALSE(std::getline(in, line));
  close(fds[0]);
}

}  // namespace
}  // namespace fortuna::testing
