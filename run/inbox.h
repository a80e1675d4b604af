// How other threads reach the front end's loop: the braille display's keys, a network client's
// messages. Tasks are posted from any thread and run on the front end's own, in the order
// posted, between its keys: the game is only ever touched from one thread. Each front end waits
// on the inbox beside its own input, on its handle or, for a loop that waits its own way, through
// a waker.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace fortuna {

class Inbox {
 public:
  using Task = std::function<void()>;

  Inbox();
  ~Inbox();
  Inbox(const Inbox&) = delete;
  Inbox& operator=(const Inbox&) = delete;

  // From any thread; returns at once.
  void post(Task task);
  // Runs the tasks posted before this call, in order; how many ran. On the front end's thread
  // only: a task may deliver keys to the session.
  std::size_t run_pending();

  // Called on the posting thread after each post, for a loop that cannot wait on a handle (SDL
  // pushes an event). Empty: none. Once this returns, the previous waker is never called again.
  void set_waker(std::function<void()> waker);

  // What a loop waits on: readable, or set, while tasks wait. Each system defines its own:
  // a file descriptor (inbox_posix.cpp), an event HANDLE (inbox_windows.cpp).
  int fd() const;
  void* event() const;

 private:
  struct Bell;
  void ring();
  void hush();

  std::unique_ptr<Bell> bell_;
  std::mutex mutex_;
  std::deque<Task> tasks_;
  std::function<void()> waker_;
};

}  // namespace fortuna
