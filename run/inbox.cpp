#include "run/inbox.h"

#include <utility>

namespace fortuna {

void Inbox::post(Task task) {
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
  ring();
  // Under the lock, so that a waker just replaced is never called afterwards.
  if (waker_) waker_();
}

std::size_t Inbox::run_pending() {
  std::deque<Task> due;
  {
    std::lock_guard lock(mutex_);
    if (tasks_.empty()) return 0;
    // Hushed before taking, so that a task posted from now on rings again.
    hush();
    due.swap(tasks_);
  }
  for (Task& task : due) task();
  return due.size();
}

void Inbox::set_waker(std::function<void()> waker) {
  std::lock_guard lock(mutex_);
  waker_ = std::move(waker);
}

}  // namespace fortuna
