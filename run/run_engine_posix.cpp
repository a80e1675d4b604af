#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <thread>

#include "run/run_engine.h"

namespace fortuna {

void RunEngine::wait_until_done() {
  if (interrupts_.signal()) return;
  int done[2];
  if (pipe2(done, O_CLOEXEC) != 0) {
    inner_.wait_until_done();
    return;
  }
  // The watcher only looks at the interrupt pipe; the loop reads it.
  std::thread watcher([this, wait_ended = done[0]] {
    pollfd watched[2] = {{interrupts_.fd(), POLLIN, 0}, {wait_ended, POLLIN, 0}};
    while (::poll(watched, 2, -1) < 0) {
    }
    if (watched[0].revents && !watched[1].revents) inner_.speak({});
  });
  inner_.wait_until_done();
  [[maybe_unused]] auto written = ::write(done[1], "", 1);
  watcher.join();
  ::close(done[0]);
  ::close(done[1]);
}

}  // namespace fortuna
