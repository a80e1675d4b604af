// The braille display through brltty's BrlAPI. Everything that may wait on brltty (connecting,
// the display saying its size, writing) happens on the adapter's own thread, so the game's
// calls return at once whether brltty is fast, slow, absent or gone mid-game. A connection
// that fails or is lost is tried again in the background.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "braille/brlapi_session.h"
#include "braille/display.h"

namespace fortuna {

class BrlapiDisplay final : public BrailleDisplay {
 public:
  struct Options {
    BrlapiSettings settings;
    std::chrono::milliseconds retry{2000};  // after a failed attempt or a lost connection
    // How long the display may take to say its size once brltty answered.
    std::chrono::milliseconds size_limit{5000};
    // Called on the adapter's thread each time it raises the wait handle, for a loop that
    // waits on something else; never once the adapter is destroyed.
    std::function<void()> on_change;
  };
  enum class State { Connecting, Connected, Unavailable };
  struct Status {
    State state = State::Connecting;
    std::string reason;  // one line, when Unavailable
  };

  // Starts connecting in the background and returns at once.
  explicit BrlapiDisplay(Options options);
  BrlapiDisplay() : BrlapiDisplay(Options{}) {}
  // Leaves tty mode and closes, so that the screen reader has the display back. Waits for that
  // half a second at most: a hung brltty is left to the end of the process, which closes the
  // connection all the same.
  ~BrlapiDisplay() override;
  BrlapiDisplay(const BrlapiDisplay&) = delete;
  BrlapiDisplay& operator=(const BrlapiDisplay&) = delete;

  // Connecting until the first attempt ends. The wait handle is raised on each change (the
  // first attempt's end, a loss, a return) until next_command() is next called: a front end
  // looks at the status whenever the handle was readable.
  Status status() const;

  std::size_t cells() const override;
  // The latest text wins: texts written while an earlier one is still on its way replace it.
  void write(std::string_view utf8) override;
  std::optional<BrailleCommand> next_command() override;
  int wait_handle() const override;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace fortuna
