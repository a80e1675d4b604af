// The console's Control+C as the interrupt source, and the waits it cuts short.
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cassert>
#include <csignal>
#include <string>
#include <thread>

#include "run/interrupt_source.h"
#include "run/interruptible_input.h"
#include "run/run_engine.h"
#include "speech/sapi_parts.h"

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

// A console gives UTF-16: its UTF-8 code page reads every letter beyond ASCII as a NUL byte.
// Control+Z at the start of a line ends the input, as the console has it.
std::size_t read_console(HANDLE console, char* buffer, std::size_t size) {
  wchar_t wide[1024];
  static_assert(sizeof wide / sizeof wide[0] * 3 <= 4096, "every unit fits as UTF-8");
  DWORD units = 0;
  if (size < 3 * 1024 || !ReadConsoleW(console, wide, 1024, &units, nullptr) || units == 0)
    return 0;
  if (wide[0] == 0x1A) return 0;
  const std::string text = sapi::utf8_from_utf16(std::u16string(wide, wide + units));
  text.copy(buffer, text.size());
  return text.size();
}

InterruptibleInput::int_type InterruptibleInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (interrupts_.signal()) return traits_type::eof();
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
  DWORD mode = 0, n = 0;
  if (GetConsoleMode(handle, &mode)) {
    n = static_cast<DWORD>(read_console(handle, buffer_.data(), buffer_.size()));
    // Control+C ends the read before its handler has run on its own thread: let it run, so
    // that the run ends as interrupted rather than as the end of the input.
    if (n == 0) WaitForSingleObject(static_cast<HANDLE>(interrupts_.event()), 200);
  } else if (!ReadFile(handle, buffer_.data(), static_cast<DWORD>(buffer_.size()), &n, nullptr)) {
    n = 0;
  }
  if (n == 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
  return traits_type::to_int_type(*gptr());
}

// A console or pipe cannot be waited on beside the inbox here: its tasks run between lines.
InterruptibleInput::Ready InterruptibleInput::wait_line(Inbox&) {
  return Ready::Line;
}

void RunEngine::wait_until_done() {
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
