// brltty with its virtual braille driver, run as a child of the test, and the test playing the
// display: it says how many cells it has, reads what brltty shows on them and presses the
// display's keys. Each instance has its own ports and scratch folder, so test processes run in
// parallel; every wait is bounded.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "braille/brlapi_session.h"

namespace fortuna::testing {

class VirtualBraille {
 public:
  static bool brltty_installed();
  // FORTUNA_BRAILLE_REQUIRED=1 (as in CI): a missing brltty fails a test instead of skipping it.
  static bool required();

  // Starts brltty and connects as its display (within a few seconds, or error() says why).
  explicit VirtualBraille(std::size_t cells = 40);
  // Stops brltty (killed if it lingers) and removes its folder.
  ~VirtualBraille();
  VirtualBraille(const VirtualBraille&) = delete;
  VirtualBraille& operator=(const VirtualBraille&) = delete;

  // Empty once brltty runs with this display; otherwise why it does not.
  const std::string& error() const { return error_; }
  // Where a BrlAPI client reaches this brltty.
  BrlapiSettings settings() const;

  // What the cells show now, trailing blanks aside, as brltty last reported it.
  const std::string& shown() const { return shown_; }
  // Reads what brltty reports until the cells show `text`, for `limit` at most.
  bool wait_for(std::string_view text, std::chrono::milliseconds limit = std::chrono::seconds(5));
  bool wait_until(const std::function<bool(const std::string&)>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(5));
  // For a loop that waits on more than brltty: readable when brltty reports something, then
  // read with read_available().
  int fd() const { return socket_; }
  void read_available() { read_some(std::chrono::milliseconds(0)); }

  // One of the virtual driver's commands: "FWINRT", "LNUP", "ROUTE 5"... BrlAPI receives
  // "ROUTE n" as the routing key of cell n counted from 0 (so cell 0 cannot be pressed: the
  // driver refuses 0).
  void press(std::string_view command);
  // The routing key over the first cell of `text` where the cells show it; false when they do
  // not.
  bool route_to(std::string_view text);
  // Ends brltty at once, as a crash would.
  void kill();
  // brltty again, on the same ports, with the display connected anew; false if it did not start.
  bool restart();
  // SIGSTOP makes a brltty that never answers; SIGCONT brings it back.
  void signal(int number);
  pid_t pid() const { return pid_; }
  // brltty's own output, for a failing test to show.
  std::string log() const;

 private:
  bool launch();
  bool start();
  bool connect_display(std::chrono::milliseconds limit);
  // Reads what is there, waiting up to `limit` for the first bytes; false at the end of input.
  bool read_some(std::chrono::milliseconds limit);
  void stop();

  std::filesystem::path folder_;
  std::size_t cells_ = 40;
  int api_number_ = 0, display_port_ = 0;
  pid_t pid_ = -1;
  int socket_ = -1;
  std::string received_, shown_, error_;
};

}  // namespace fortuna::testing
