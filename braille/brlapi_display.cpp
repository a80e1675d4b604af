#include "braille/brlapi_display.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <utility>
#include <variant>

#include "braille/brlapi_keys.h"
#include "braille/wake_pipe.h"
#include "data/translate.h"

namespace fortuna {

// Kept alive by the adapter and its thread together, so that a thread stuck on a hung brltty
// can be left behind safely.
struct BrlapiDisplay::Shared {
  explicit Shared(Options o) : options(std::move(o)) {}

  const Options options;
  WakePipe events;  // to the game: commands, or a change of status
  WakePipe wake;    // to the thread: a text to write, or the end
  std::atomic<bool> stop{false};
  std::atomic<std::size_t> cells{0};

  mutable std::mutex mutex;
  Status status;
  std::optional<std::string> pending;  // asked for and not written yet
  std::string latest;                  // written again after a reconnection
  std::deque<BrailleCommand> commands;
  bool finished = false;
  std::condition_variable finished_changed;
};

namespace {

using Shared = BrlapiDisplay::Shared;
using State = BrlapiDisplay::State;
// Commands nobody reads are dropped past this, oldest first.
constexpr std::size_t kCommandLimit = 256;
constexpr auto kSizePoll = std::chrono::milliseconds(20);
constexpr auto kLeaveLimit = std::chrono::milliseconds(500);

// With the lock held: the destructor sets stop under it, so on_change is never called after.
void raise_events(Shared& shared) {
  shared.events.raise();
  if (shared.options.on_change && !shared.stop) shared.options.on_change();
}

// The cells change with the status, under its lock, so that whoever sees the cells gone and
// then asks for the status learns why.
void set_status(Shared& shared, State state, std::string reason, std::size_t cells) {
  std::lock_guard lock(shared.mutex);
  if (shared.status.state == state && shared.status.reason == reason) return;
  shared.status = {state, std::move(reason)};
  shared.cells = cells;
  // Raised before anyone can see the new status, so that a loop never misses it.
  raise_events(shared);
}

// Sleeps up to `duration`, cut short by the end. False once the adapter is ending.
bool pause(Shared& shared, std::chrono::milliseconds duration) {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  while (!shared.stop) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd wait{shared.wake.fd(), POLLIN, 0};
    poll(&wait, 1, static_cast<int>(left.count()));
    shared.wake.clear();
  }
  return !shared.stop;
}

using Attempt = std::variant<std::unique_ptr<BrlapiSession>, std::string>;

Attempt connect(Shared& shared) {
  Attempt attempt = BrlapiSession::open(shared.options.settings);
  auto* session = std::get_if<std::unique_ptr<BrlapiSession>>(&attempt);
  if (session == nullptr) return attempt;
  // Writing or taking the keys before the display said its size gets refused late, as errors
  // about requests long gone.
  const auto deadline = std::chrono::steady_clock::now() + shared.options.size_limit;
  while ((*session)->display_cells() == 0) {
    if (std::chrono::steady_clock::now() >= deadline)
      return std::string(translate("No braille display: brltty has no display connected."));
    if (!pause(shared, kSizePoll)) return std::string();
  }
  if (auto refused = (*session)->enter_tty_mode()) return *refused;
  return attempt;
}

// Takes the keys already received; false once the connection is lost.
bool take_keys(Shared& shared, BrlapiSession& session) {
  bool any = false;
  std::uint64_t code = 0;
  BrlapiSession::Read read;
  while ((read = session.read_key(code)) == BrlapiSession::Read::Key) {
    const auto command = command_from_brlapi(code);
    if (!command) continue;
    std::lock_guard lock(shared.mutex);
    if (shared.commands.size() == kCommandLimit) shared.commands.pop_front();
    shared.commands.push_back(*command);
    any = true;
  }
  if (any) {
    std::lock_guard lock(shared.mutex);
    raise_events(shared);
  }
  return read != BrlapiSession::Read::Lost;
}

// Writes the text asked for last, if any; false once the connection is lost.
bool write_latest(Shared& shared, BrlapiSession& session, bool again) {
  std::string text;
  {
    std::lock_guard lock(shared.mutex);
    if (shared.pending) {
      shared.latest = std::move(*shared.pending);
      shared.pending.reset();
    } else if (!again) {
      return true;
    }
    text = shared.latest;
  }
  return session.write(text);
}

// Until the connection is lost or the adapter ends.
void serve(Shared& shared, BrlapiSession& session) {
  if (!write_latest(shared, session, true)) return;
  while (!shared.stop) {
    if (!take_keys(shared, session)) return;
    pollfd waits[2] = {{session.fd(), POLLIN, 0}, {shared.wake.fd(), POLLIN, 0}};
    if (poll(waits, 2, -1) < 0) continue;
    if (waits[1].revents != 0) {
      shared.wake.clear();
      if (shared.stop || !write_latest(shared, session, false)) return;
    }
    if ((waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return;
  }
}

void run(const std::shared_ptr<Shared>& shared) {
  // A write to a brltty that died must come back as an error, not end the process.
  sigset_t pipe_signal;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
  while (!shared->stop) {
    Attempt attempt = connect(*shared);
    if (auto* reason = std::get_if<std::string>(&attempt)) {
      if (shared->stop) break;
      set_status(*shared, State::Unavailable, std::move(*reason), 0);
    } else {
      auto& session = std::get<std::unique_ptr<BrlapiSession>>(attempt);
      set_status(*shared, State::Connected, {}, session->display_cells());
      serve(*shared, *session);
      if (shared->stop) break;  // the session, ending, leaves tty mode and closes
      set_status(*shared, State::Unavailable,
                 translate("No braille display: the connection to brltty was lost."), 0);
    }
    pause(*shared, shared->options.retry);
  }
  std::lock_guard lock(shared->mutex);
  shared->finished = true;
  shared->finished_changed.notify_all();
}

}  // namespace

BrlapiDisplay::BrlapiDisplay(Options options)
    : shared_(std::make_shared<Shared>(std::move(options))) {
  if (shared_->events.valid() && shared_->wake.valid()) {
    try {
      std::thread([shared = shared_] { run(shared); }).detach();
      return;
    } catch (const std::system_error&) {
    }
  }
  std::lock_guard lock(shared_->mutex);
  shared_->status = {State::Unavailable,
                     translate("No braille display: the system would not start its thread.")};
  shared_->finished = true;
}

BrlapiDisplay::~BrlapiDisplay() {
  std::unique_lock lock(shared_->mutex);
  shared_->stop = true;
  shared_->wake.raise();
  shared_->finished_changed.wait_for(lock, kLeaveLimit, [&] { return shared_->finished; });
}

BrlapiDisplay::Status BrlapiDisplay::status() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->status;
}

std::size_t BrlapiDisplay::cells() const {
  return shared_->cells;
}

void BrlapiDisplay::write(std::string_view utf8) {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->pending = std::string(utf8);
  }
  shared_->wake.raise();
}

std::optional<BrailleCommand> BrlapiDisplay::next_command() {
  // Cleared before looking, so that a command arriving meanwhile raises it again.
  shared_->events.clear();
  std::lock_guard lock(shared_->mutex);
  if (shared_->commands.empty()) return std::nullopt;
  const BrailleCommand command = shared_->commands.front();
  shared_->commands.pop_front();
  if (!shared_->commands.empty()) shared_->events.raise();
  return command;
}

int BrlapiDisplay::wait_handle() const {
  return shared_->events.fd();
}

}  // namespace fortuna
