// The console's Control+C as the interrupt source, and the waits it cuts short.
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cassert>
#include <csignal>
#include <thread>

#include "program/interrupt_source.h"
#include "program/interruptible_engine.h"
#include "program/interruptible_input.h"

namespace fortuna {

namespace {

std::atomic<int> first_signal{0};
HANDLE signalled = nullptr;
// The thread that reads standard input: its blocking read is cancelled when a signal comes.
HANDLE reader = nullptr;

BOOL WINAPI on_console_event(DWORD event) {
  const int number = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
  int none = 0;
  first_signal.compare_exchange_strong(none, number);
  SetEvent(signalled);
  if (reader) CancelSynchronousIo(reader);
  // Closing the console ends the process when this returns: give the loop time to finish.
  if (event == CTRL_CLOSE_EVENT) Sleep(2000);
  return TRUE;
}

}  // namespace

InterruptSource::InterruptSource() {
  assert(!signalled && "one interrupt source at a time");
  event_ = signalled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &reader, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  SetConsoleCtrlHandler(on_console_event, TRUE);
}

InterruptSource::~InterruptSource() {
  SetConsoleCtrlHandler(on_console_event, FALSE);
  if (reader) CloseHandle(reader);
  reader = nullptr;
  CloseHandle(signalled);
  signalled = nullptr;
  first_signal = 0;
}

std::optional<int> InterruptSource::signal() {
  if (!first_) {
    if (const int number = first_signal.load()) first_ = number;
  }
  return first_;
}

InterruptibleInput::int_type InterruptibleInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (interrupts_.signal()) return traits_type::eof();
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
  DWORD n = 0;
  if (!ReadFile(handle, buffer_.data(), static_cast<DWORD>(buffer_.size()), &n, nullptr) || n == 0)
    return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
  return traits_type::to_int_type(*gptr());
}

void InterruptibleEngine::speak(std::string_view utf8) {
  inner_.speak(interrupts_.signal() ? std::string_view() : utf8);
}

void InterruptibleEngine::wait_until_done() {
  if (interrupts_.signal()) return;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread watcher([this, done] {
    HANDLE watched[2] = {static_cast<HANDLE>(interrupts_.event()), done};
    if (WaitForMultipleObjects(2, watched, FALSE, INFINITE) == WAIT_OBJECT_0) inner_.speak({});
  });
  inner_.wait_until_done();
  SetEvent(done);
  watcher.join();
  CloseHandle(done);
}

}  // namespace fortuna
