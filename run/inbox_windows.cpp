// The inbox's bell as a manual-reset event that MsgWaitForMultipleObjects watches: set while
// tasks wait.
#include <windows.h>

#include "run/inbox.h"

namespace fortuna {

struct Inbox::Bell {
  HANDLE event = nullptr;
};

Inbox::Inbox() : bell_(std::make_unique<Bell>()) {
  bell_->event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

Inbox::~Inbox() {
  if (bell_->event) CloseHandle(bell_->event);
}

void* Inbox::event() const {
  return bell_->event;
}

void Inbox::ring() {
  if (bell_->event) SetEvent(bell_->event);
}

void Inbox::hush() {
  if (bell_->event) ResetEvent(bell_->event);
}

}  // namespace fortuna
