// Runs jobs one after another on a thread of its own while the caller waits, but never longer
// than the caller allows: a service that stops answering must not freeze the game. A job that
// overruns leaves the worker stuck; every later call then fails at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace fortuna {

class SerialWorker {
 public:
  SerialWorker();
  // Lets queued jobs finish for a few seconds, then joins the thread, or leaves a stuck one to
  // end with the process.
  ~SerialWorker();
  SerialWorker(const SerialWorker&) = delete;
  SerialWorker& operator=(const SerialWorker&) = delete;

  // True when the job ran to its end within the limit. A job must own what it touches: after
  // a time-out it may still run, or finish, later.
  bool run(std::function<void()> job, std::chrono::milliseconds limit);
  // Queues the job without waiting for it.
  void post(std::function<void()> job);
  bool stuck() const;

  template <class Result>
  std::optional<Result> call(std::function<Result()> job, std::chrono::milliseconds limit) {
    auto result = std::make_shared<std::optional<Result>>();
    if (!run([result, job = std::move(job)] { *result = job(); }, limit)) return std::nullopt;
    return *result;
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    std::uint64_t queued = 0, finished = 0;
    bool stop = false, stuck = false;
  };
  static void serve(const std::shared_ptr<State>& state);
  std::uint64_t enqueue(std::function<void()> job);

  std::shared_ptr<State> state_;
  std::thread thread_;
};

}  // namespace fortuna
