#include "support/sink_monitor.h"

#include <pulse/error.h>

#include <thread>

namespace fortuna::testing {

namespace {
// Small reads keep the sink rendering in small blocks, as a sound card would play them.
constexpr int kReadSamples = 44;  // 2 ms

std::chrono::nanoseconds duration_of(std::size_t samples) {
  return std::chrono::nanoseconds(static_cast<long long>(samples) * 1'000'000'000LL /
                                  SinkMonitor::kRate);
}
}  // namespace

std::unique_ptr<SinkMonitor> SinkMonitor::start(std::string& error) {
  const pa_sample_spec format{PA_SAMPLE_S16LE, kRate, 1};
  pa_buffer_attr attributes{};
  attributes.maxlength = static_cast<std::uint32_t>(-1);
  attributes.fragsize = kReadSamples * sizeof(std::int16_t);
  int code = 0;
  pa_simple* stream = pa_simple_new(nullptr, "fortuna-tests", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                                    "what the sink plays", &format, nullptr, &attributes, &code);
  if (!stream) {
    error = std::string("no sound server to listen to (") + pa_strerror(code) + ")";
    return nullptr;
  }
  std::unique_ptr<SinkMonitor> monitor(new SinkMonitor(stream));
  monitor->thread_ = std::thread([m = monitor.get()] { m->record(); });
  return monitor;
}

SinkMonitor::~SinkMonitor() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  pa_simple_free(stream_);
}

void SinkMonitor::record() {
  std::int16_t chunk[kReadSamples];
  while (!stop_) {
    int code = 0;
    if (pa_simple_read(stream_, chunk, sizeof chunk, &code) < 0) return;
    const auto now = Clock::now();
    std::lock_guard lock(mutex_);
    samples_.insert(samples_.end(), chunk, chunk + kReadSamples);
    const auto origin = now - duration_of(samples_.size());
    if (origin < origin_) origin_ = origin;
  }
}

std::vector<std::int16_t> SinkMonitor::samples() const {
  std::lock_guard lock(mutex_);
  return samples_;
}

SinkMonitor::Clock::time_point SinkMonitor::time_of(std::size_t index) const {
  std::lock_guard lock(mutex_);
  return origin_ + duration_of(index);
}

std::size_t SinkMonitor::index_at(Clock::time_point time) const {
  std::lock_guard lock(mutex_);
  if (time <= origin_) return 0;
  return static_cast<std::size_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(time - origin_).count() * kRate /
      1'000'000'000LL);
}

void SinkMonitor::wait_until_recorded(Clock::time_point time) const {
  const auto give_up = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < give_up) {
    {
      std::lock_guard lock(mutex_);
      if (!samples_.empty() && origin_ + duration_of(samples_.size()) >= time) return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace fortuna::testing
