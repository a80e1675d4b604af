// One connection to brltty's BrlAPI server, driven by one thread only. Its calls may wait on the
// server (opening waits up to about a second), which is why only the adapter's own thread makes
// them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace fortuna {

struct BrlapiSettings {
  std::optional<std::string> host;  // unset: BRLAPI_HOST, else brltty's local server
  std::optional<std::string> auth;  // unset: BRLAPI_AUTH, else the local key file
};

class BrlapiSession {
 public:
  // The session, or why it could not connect, in one line.
  static std::variant<std::unique_ptr<BrlapiSession>, std::string> open(
      const BrlapiSettings& settings);
  // Leaves tty mode if it was entered, and closes: the display goes back to the screen reader.
  ~BrlapiSession();
  BrlapiSession(const BrlapiSession&) = delete;
  BrlapiSession& operator=(const BrlapiSession&) = delete;

  int fd() const { return fd_; }
  // 0 until the display has said its size.
  std::size_t display_cells();
  // Takes the display's keys and the right to write; the reason when refused.
  std::optional<std::string> enter_tty_mode();
  // Text of at most display_cells() characters, the rest of the row cleared. False once the
  // connection is lost.
  bool write(std::string_view utf8);
  enum class Read { Key, Nothing, Lost };
  // A key already received, never waiting for one.
  Read read_key(std::uint64_t& code);
  // The last error the server reported about a request, or "".
  std::string last_exception() const { return exception_; }

 private:
  BrlapiSession() = default;

  std::unique_ptr<unsigned char[]> handle_;
  int fd_ = -1;
  bool tty_mode_ = false;
  std::string exception_;
};

}  // namespace fortuna
