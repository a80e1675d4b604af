#include "frontends/terminal/terminal_session.h"

#include <gtest/gtest.h>

#include <csignal>

#include "run/interrupt_source.h"

namespace fortuna::testing {

TEST(TerminalSession, KeyModeReadsEachKeyUnechoedAndKeepsControlCAndLineEndings) {
  termios cooked{};
  cooked.c_iflag = ICRNL | IXON;
  cooked.c_oflag = OPOST | ONLCR;
  cooked.c_lflag = ISIG | ICANON | ECHO | IEXTEN;
  cooked.c_cc[VINTR] = 3;
  cooked.c_cc[VQUIT] = 28;
  cooked.c_cc[VSUSP] = 26;
  // The terminal tests see keys arrive one by one, unechoed, lines printed at the margin, the
  // rename box echoed and Control+C; what they cannot press is checked here.
  const termios keys = key_mode(cooked);
  EXPECT_EQ(keys.c_iflag & (ICRNL | IXON), 0u);  // Enter stays \r; Control+S is a key
  EXPECT_EQ(keys.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_EQ(keys.c_cc[VMIN], 1);
  EXPECT_EQ(keys.c_cc[VTIME], 0);
  EXPECT_EQ(keys.c_cc[VQUIT], _POSIX_VDISABLE);
  EXPECT_EQ(keys.c_cc[VSUSP], _POSIX_VDISABLE);
}

TEST(TerminalSession, AnUnusableTerminalIsNamedInOneLine) {
  const struct {
    bool is_terminal;
    const char* term;
    int columns;
    const char* reason;  // empty: usable
  } cases[] = {
      // The terminal test meets TERM=dumb and a narrow terminal.
      {false, "xterm", 80, "not a terminal"},
      {true, "", 80, "TERM=unset"},
      {true, "linux", 0, ""},  // a width unknown
      {true, "xterm-256color", 20, ""},
  };
  for (const auto& c : cases) {
    const TerminalCheck check = check_terminal(c.is_terminal, c.term, c.columns);
    EXPECT_EQ(check.usable, *c.reason == '\0') << c.term;
    EXPECT_NE(check.reason.find(c.reason), std::string::npos) << check.reason;
    EXPECT_EQ(check.reason.find('\n'), std::string::npos);
  }
}

TEST(InterruptSource, TheFirstSignalIsKeptAndThePreviousHandlersComeBack) {
  static volatile sig_atomic_t before = 0;
  auto* previous = std::signal(SIGHUP, [](int) { before = 1; });
  {
    InterruptSource interrupts;
    EXPECT_FALSE(interrupts.signal());
    std::raise(SIGTERM);
    std::raise(SIGHUP);
    EXPECT_EQ(interrupts.signal(), SIGTERM);
    EXPECT_EQ(before, 0);
  }
  std::raise(SIGHUP);
  EXPECT_EQ(before, 1);

  std::signal(SIGHUP, SIG_IGN);  // as nohup leaves it
  {
    InterruptSource interrupts;
    std::raise(SIGHUP);
    EXPECT_FALSE(interrupts.signal());
  }
  std::signal(SIGHUP, previous);
}

}  // namespace fortuna::testing
