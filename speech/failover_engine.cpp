#include "speech/failover_engine.h"

#include <algorithm>

#include "data/translate.h"

namespace fortuna {

namespace {
constexpr auto kWatchInterval = std::chrono::milliseconds(100);
// A text given this long ago may still be playing: a few seconds, and a tenth of a second for
// each character, as a slow voice says it.
std::chrono::milliseconds still_playing_for(const std::string& text) {
  return std::chrono::milliseconds(3000 + 100 * static_cast<long>(text.size()));
}
}  // namespace

FailoverEngine::FailoverEngine(OpenedEngine first, std::function<OpenedEngine()> next,
                               std::ostream& messages)
    : current_(std::move(first)), next_(std::move(next)), messages_(messages) {
  rate_ = current_.engine->rate();
  if (current_.fault) watcher_ = std::thread([this] { watch(); });
}

FailoverEngine::~FailoverEngine() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_.notify_all();
  if (watcher_.joinable()) watcher_.join();
}

void FailoverEngine::watch() {
  std::unique_lock lock(mutex_);
  while (!stopping_ && current_.fault) {
    stop_.wait_for(lock, kWatchInterval, [&] { return stopping_; });
    if (!stopping_) fail_over_if_needed();
  }
}

bool FailoverEngine::fail_over_if_needed() {
  if (!current_.fault) return false;
  const std::string reason = current_.fault();
  if (reason.empty()) return false;
  OpenedEngine next = next_();
  report(messages_, format_message(translate("%s; speaking through %s instead"), reason.c_str(),
                                   next.name.c_str()));
  current_ = std::move(next);
  current_.engine->set_rate(rate_);
  const bool may_be_playing =
      std::chrono::steady_clock::now() - last_said_at_ < still_playing_for(last_text_);
  if (!last_text_.empty() && may_be_playing) current_.engine->speak(last_text_);
  return true;
}

void FailoverEngine::create_voice() {
  std::lock_guard lock(mutex_);
  fail_over_if_needed();
  current_.engine->create_voice();
  rate_ = current_.engine->rate();
}

void FailoverEngine::speak(std::string_view utf8) {
  std::lock_guard lock(mutex_);
  last_text_.assign(utf8);
  last_said_at_ = std::chrono::steady_clock::now();
  if (fail_over_if_needed()) return;  // the new engine has just said it
  current_.engine->speak(utf8);
  fail_over_if_needed();
}

void FailoverEngine::wait_until_done() {
  std::lock_guard lock(mutex_);
  fail_over_if_needed();
  current_.engine->wait_until_done();
  // The engine may have given up waiting because it failed: the next one says it and is waited.
  if (fail_over_if_needed()) current_.engine->wait_until_done();
}

std::vector<std::string> FailoverEngine::list_voices() {
  std::lock_guard lock(mutex_);
  fail_over_if_needed();
  return current_.engine->list_voices();
}

void FailoverEngine::select_voice(int index) {
  std::lock_guard lock(mutex_);
  fail_over_if_needed();
  current_.engine->select_voice(index);
}

int FailoverEngine::rate() const {
  std::lock_guard lock(mutex_);
  return rate_;
}

void FailoverEngine::set_rate(int rate) {
  std::lock_guard lock(mutex_);
  rate_ = rate;
  fail_over_if_needed();
  current_.engine->set_rate(rate);
}

}  // namespace fortuna
