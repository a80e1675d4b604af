// The server under load, as a process of its own: started on a free port, its processor time
// and resident memory read from /proc, stopped with SIGTERM.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace fortuna::load {

class ServerProcess {
 public:
  // Nothing listening (port() 0) when it could not start; why, in failure().
  ServerProcess(const std::string& program, const std::filesystem::path& data);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  unsigned short port() const { return port_; }
  const std::string& failure() const { return failure_; }
  // User and system time so far, in seconds.
  double processor_seconds() const;
  long resident_kilobytes() const;
  // Bytes it had the disks write so far (its journal).
  long long written_bytes() const;
  // SIGTERM, and its exit status once it ended (or -1 after ten seconds, then killed).
  int stop();

 private:
  pid_t pid_ = -1;
  unsigned short port_ = 0;
  std::string failure_;
};

// As many open files as the hard limit allows, up to want; what the soft limit is now.
long raise_open_files(long want);

}  // namespace fortuna::load
