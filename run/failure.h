// How a run ends when it cannot go on as asked: a status, named here once, and a message said in
// one line. Returned by what prepares a run; thrown by a platform that must end the run from
// inside the game (an input box whose answer never comes, a signal during it).
#pragma once

#include <string>

namespace fortuna {

namespace exit_status {
inline constexpr int kSuccess = 0;
inline constexpr int kWriteFailed = 1;  // an output could not be written
inline constexpr int kCheckFailed = 1;  // the bench found its games going wrong
inline constexpr int kBadInput = 2;     // the command line, a file or the surroundings
// A signal ended the run, as shells report it.
inline constexpr int interrupted(int signal) {
  return 128 + signal;
}
}  // namespace exit_status

struct Failure {
  std::string message;  // empty when the status says it all
  int status = exit_status::kBadInput;

  static Failure interrupted(int signal) { return {{}, exit_status::interrupted(signal)}; }
};

}  // namespace fortuna
