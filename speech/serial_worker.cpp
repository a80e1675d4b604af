#include "speech/serial_worker.h"

namespace fortuna {

namespace {
constexpr auto kLastJobsLimit = std::chrono::seconds(3);
}  // namespace

SerialWorker::SerialWorker() : state_(std::make_shared<State>()) {
  thread_ = std::thread([state = state_] { serve(state); });
}

SerialWorker::~SerialWorker() {
  bool stuck;
  {
    std::unique_lock lock(state_->mutex);
    state_->stop = true;
    state_->changed.notify_all();
    // What is queued still runs (a last goodbye to the service), for a while; a worker already
    // stuck will not get to it, so nobody waits for that.
    stuck = state_->stuck || !state_->changed.wait_for(lock, kLastJobsLimit, [&] {
      return state_->finished == state_->queued;
    });
  }
  if (stuck)
    thread_.detach();  // it holds its own share of the state
  else
    thread_.join();
}

void SerialWorker::serve(const std::shared_ptr<State>& state) {
  std::unique_lock lock(state->mutex);
  for (;;) {
    state->changed.wait(lock, [&] { return state->stop || !state->jobs.empty(); });
    if (state->jobs.empty()) return;  // stopping, nothing left
    auto job = std::move(state->jobs.front());
    state->jobs.pop_front();
    lock.unlock();
    job();
    lock.lock();
    ++state->finished;
    state->changed.notify_all();
  }
}

std::uint64_t SerialWorker::enqueue(std::function<void()> job) {
  std::lock_guard lock(state_->mutex);
  state_->jobs.push_back(std::move(job));
  return ++state_->queued;
}

void SerialWorker::post(std::function<void()> job) {
  if (stuck()) return;
  enqueue(std::move(job));
  state_->changed.notify_all();
}

bool SerialWorker::run(std::function<void()> job, std::chrono::milliseconds limit) {
  if (stuck()) return false;
  const std::uint64_t ticket = enqueue(std::move(job));
  state_->changed.notify_all();
  std::unique_lock lock(state_->mutex);
  if (state_->changed.wait_for(lock, limit, [&] { return state_->finished >= ticket; }))
    return true;
  state_->stuck = true;
  return false;
}

bool SerialWorker::stuck() const {
  std::lock_guard lock(state_->mutex);
  return state_->stuck;
}

}  // namespace fortuna
