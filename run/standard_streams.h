// Standard input, output and error that a caller closed are opened again on the null device
// before anything else: otherwise the first file the program opens takes their place, and the
// text meant for standard output lands inside it.
#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace fortuna {

inline void reopen_closed_standard_streams() {
#ifndef _WIN32
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is the one that is missing.
    if (open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) return;
  }
#endif
}

}  // namespace fortuna
