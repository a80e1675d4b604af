#include "tools/simulate/simulate_run.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "tools/simulate/simulate_report.h"
#include "tools/simulate/simulate_tally.h"

namespace fortuna {

namespace {

using namespace std::chrono_literals;

// Games a thread takes at a time: enough that taking one costs nothing, few enough that the
// threads end together and a stop leaves little of a block behind.
constexpr std::uint64_t kBlock = 1024;
// How many blocks of rows may wait for a slower block before the threads wait for it too.
constexpr std::uint64_t kBlocksAheadPerThread = 4;

// A thread's own figures, on their own cache lines.
struct alignas(64) ThreadFigures {
  Figures figures;
};

class Run {
 public:
  Run(const SimulationRequest& request, const std::atomic<bool>& stop, int threads)
      : request_(request), stop_(stop), running_(threads) {
    window_ = kBlocksAheadPerThread * static_cast<std::uint64_t>(threads);
  }

  void work(Figures& figures);
  void thread_ended();
  // With nobody else to write the rows, the one worker must not wait for them.
  void work_alone(Figures& figures) {
    window_ = UINT64_MAX;
    work(figures);
  }
  // Waits a little for news; false once every thread has ended.
  bool still_running(std::chrono::milliseconds wait);
  // Writes the rows of the blocks that are next in order; with Order::Any, every block left.
  enum class Order { Next, Any };
  void write_rows(Order order);
  std::uint64_t games_done() const { return games_done_.load(std::memory_order_relaxed); }

 private:
  bool stopped() const { return stop_.load(std::memory_order_relaxed); }
  bool wait_for_room(std::uint64_t block);
  void hand_over(std::uint64_t block, std::string& rows);

  const SimulationRequest& request_;
  const std::atomic<bool>& stop_;
  std::uint64_t window_;
  std::atomic<std::uint64_t> next_block_{0};
  std::atomic<std::uint64_t> games_done_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  int running_;                                        // guarded by mutex_
  std::map<std::uint64_t, std::string> waiting_rows_;  // guarded by mutex_
  std::uint64_t written_blocks_ = 0;                   // guarded by mutex_
};

void Run::work(Figures& figures) {
  Game game;
  Random names_only;
  game.roster = initial_roster(names_only);
  GameTally tally(figures);
  std::string rows;
  while (!stopped()) {
    const std::uint64_t block = next_block_.fetch_add(1, std::memory_order_relaxed);
    if (block >= (request_.games + kBlock - 1) / kBlock) return;
    if (request_.csv && !wait_for_room(block)) return;
    const std::uint64_t first = block * kBlock;
    const std::uint64_t last = std::min(request_.games, first + kBlock);
    std::uint64_t played = 0;
    for (std::uint64_t i = first; i < last && !stopped(); ++i, ++played) {
      const GameRecord record = tally.play(game, game_seed(request_.seed, i));
      if (request_.csv) append_csv_row(rows, record);
    }
    games_done_.fetch_add(played, std::memory_order_relaxed);
    if (request_.csv) hand_over(block, rows);
  }
}

bool Run::wait_for_room(std::uint64_t block) {
  std::unique_lock lock(mutex_);
  while (block - written_blocks_ >= window_) {
    if (stopped()) return false;
    changed_.wait_for(lock, 50ms);
  }
  return true;
}

void Run::hand_over(std::uint64_t block, std::string& rows) {
  std::string taken;
  taken.swap(rows);
  const std::lock_guard lock(mutex_);
  waiting_rows_.emplace(block, std::move(taken));
  changed_.notify_all();
}

void Run::thread_ended() {
  const std::lock_guard lock(mutex_);
  --running_;
  changed_.notify_all();
}

bool Run::still_running(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, wait, [&] {
    return running_ == 0 || (request_.csv && waiting_rows_.contains(written_blocks_));
  });
  return running_ > 0;
}

void Run::write_rows(Order order) {
  if (!request_.csv) return;
  for (;;) {
    std::string rows;
    {
      const std::lock_guard lock(mutex_);
      auto next = order == Order::Any ? waiting_rows_.begin() : waiting_rows_.find(written_blocks_);
      if (next == waiting_rows_.end()) return;
      rows = std::move(next->second);
      waiting_rows_.erase(next);
    }
    *request_.csv << rows;
    const std::lock_guard lock(mutex_);
    ++written_blocks_;
    changed_.notify_all();
  }
}

// Starts as many threads as asked and the system allows; none means the caller does the work.
std::vector<std::thread> start_threads(Run& run, std::vector<ThreadFigures>& figures) {
  std::vector<std::thread> threads;
  try {
    for (ThreadFigures& mine : figures)
      threads.emplace_back([&run, &mine] {
        run.work(mine.figures);
        run.thread_ended();
      });
  } catch (const std::system_error&) {
    for (std::size_t t = threads.size(); t < figures.size(); ++t) run.thread_ended();
  }
  return threads;
}

}  // namespace

SimulationOutcome run_simulation(const SimulationRequest& request, const std::atomic<bool>& stop,
                                 const ProgressReport& progress) {
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  if (request.csv) *request.csv << csv_header();
  const int thread_count = std::max(1, request.threads);
  Run run(request, stop, thread_count);
  std::vector<ThreadFigures> figures(static_cast<std::size_t>(thread_count));
  std::vector<std::thread> threads = start_threads(run, figures);
  if (threads.empty()) run.work_alone(figures[0].figures);
  while (run.still_running(100ms)) {
    run.write_rows(Run::Order::Next);
    if (progress) progress(run.games_done(), elapsed());
  }
  for (std::thread& thread : threads) thread.join();
  run.write_rows(Run::Order::Next);
  run.write_rows(Run::Order::Any);

  SimulationOutcome outcome;
  for (const ThreadFigures& mine : figures) outcome.figures.add(mine.figures);
  outcome.partial = outcome.figures.games < request.games;
  outcome.seconds = elapsed();
  return outcome;
}

}  // namespace fortuna
