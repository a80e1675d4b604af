// What the sound server's default sink plays, read from its monitor while it plays, with the
// time each sample was heard. For tests and benchmarks that listen to the program's real output.
#pragma once

#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fortuna::testing {

class SinkMonitor {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kRate = 22050;

  // Recording from now on, or nothing with a one-line reason (no sound server).
  static std::unique_ptr<SinkMonitor> start(std::string& error);
  ~SinkMonitor();
  SinkMonitor(const SinkMonitor&) = delete;
  SinkMonitor& operator=(const SinkMonitor&) = delete;

  // Everything recorded so far; sample i was heard at time_of(i).
  std::vector<std::int16_t> samples() const;
  Clock::time_point time_of(std::size_t index) const;
  std::size_t index_at(Clock::time_point time) const;
  // Blocks until the recording reaches this time (bounded by a few seconds).
  void wait_until_recorded(Clock::time_point time) const;

 private:
  explicit SinkMonitor(pa_simple* stream) : stream_(stream) {}
  void record();

  pa_simple* stream_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::int16_t> samples_;
  // Reads are never early: the earliest origin any read implies is the truest.
  Clock::time_point origin_ = Clock::time_point::max();
  std::thread thread_;
};

}  // namespace fortuna::testing
