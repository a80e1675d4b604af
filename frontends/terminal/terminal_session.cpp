#include "frontends/terminal/terminal_session.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstring>
#include <string_view>

#include "data/translate.h"

namespace fortuna {

namespace {

constexpr int kFewestColumns = 20;

// xterm's modifyOtherKeys; tmux answers it with the CSI u form. The Linux console has no
// such protocol and would not ignore the request cleanly.
constexpr std::string_view kAskExtendedKeys = "\x1b[>4;1m";
constexpr std::string_view kStopExtendedKeys = "\x1b[>4;0m";

bool speaks_extended_keys(const std::string& term) {
  return !(term == "linux" || term.starts_with("linux-") || term.starts_with("con"));
}

void write_to_terminal(std::string_view text) {
  if (!isatty(STDOUT_FILENO)) return;
  [[maybe_unused]] auto written = ::write(STDOUT_FILENO, text.data(), text.size());
}

}  // namespace

TerminalCheck check_terminal(bool input_is_terminal, const std::string& term, int columns) {
  if (!input_is_terminal) return {false, translate("standard input is not a terminal")};
  if (term.empty() || term == "dumb")
    return {false, format_message(translate("the terminal (TERM=%s) cannot send the game's keys"),
                                  term.empty() ? translate("unset") : term.c_str())};
  if (columns > 0 && columns < kFewestColumns)
    return {false, format_message(translate("the terminal is %d columns wide; it needs %d"),
                                  columns, kFewestColumns)};
  return {true, ""};
}

termios key_mode(const termios& found) {
  termios mode = found;
  // Control+\ and Control+Z would leave the terminal in a program's mode behind a dump or a
  // stopped program; Control+C stays an interrupt.
  mode.c_lflag |= ISIG;
  mode.c_cc[VQUIT] = _POSIX_VDISABLE;
  mode.c_cc[VSUSP] = _POSIX_VDISABLE;
  mode.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | ISTRIP | INPCK | PARMRK);
  mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | IEXTEN);
  mode.c_cc[VMIN] = 1;
  mode.c_cc[VTIME] = 0;
  return mode;
}

bool TerminalSession::open(const std::string& term, std::string& error) {
  termios found;
  const bool is_terminal = tcgetattr(STDIN_FILENO, &found) == 0;
  winsize size{};
  const int columns = ioctl(STDIN_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
  const TerminalCheck check = check_terminal(is_terminal, term, columns);
  if (!check.usable) {
    error = check.reason;
    return false;
  }
  const termios mode = key_mode(found);
  if (tcsetattr(STDIN_FILENO, TCSANOW, &mode) != 0) {
    error = format_message(translate("cannot set the terminal's mode: %s"), std::strerror(errno));
    return false;
  }
  saved_ = found;
  extended_keys_ = speaks_extended_keys(term);
  if (extended_keys_) write_to_terminal(kAskExtendedKeys);
  return true;
}

void TerminalSession::restore() {
  if (!saved_) return;
  if (extended_keys_) write_to_terminal(kStopExtendedKeys);
  // Keys typed for the game stay out of the shell; output still on its way is not waited for,
  // as a stalled connection would hold the program.
  tcflush(STDIN_FILENO, TCIFLUSH);
  tcsetattr(STDIN_FILENO, TCSANOW, &*saved_);
  saved_.reset();
}

}  // namespace fortuna
