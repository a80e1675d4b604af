// A front end: how keys come in and how the game's platform operations go out, which is all that
// differs between the ways to play. The run prepares everything else once (run/run.h).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "run/failure.h"
#include "run/inbox.h"
#include "run/options.h"
#include "run/session.h"
#include "screens/platform.h"
#include "speech/engine.h"

namespace fortuna {

// What the run hands a front end once the game speaks.
struct FrontendParts {
  // The run's voice, for what is said outside the game: the rename box's own echo.
  SpeechEngine& speech;
  // Whether that voice prints each text as a line (a screen reader reads it) rather than speaks.
  bool speech_prints;
  // The first line of what the engine chain complained of, to keep in sight; empty for none.
  std::string notice;
  // What other threads hand the loop (the braille display's keys): run() waits on it beside its
  // own input and runs its tasks between keys.
  Inbox& inbox;
};

class Frontend {
 public:
  virtual ~Frontend() = default;

  // Where the game's windows, input box, beep and label go. Usable before open(): the game
  // starts speaking first, and what it shows appears once the front end is up.
  virtual Platform& platform() = 0;
  // What F1 adds on both screens: the keys this front end reads its own way; empty for none.
  virtual std::string help_extra() const = 0;
  // Brings up what may come after the first word: a window, the terminal's key mode.
  virtual std::optional<Failure> open(const FrontendParts& parts) = 0;
  // Gives keys to the session, in order, until it ends; the exit status. A platform operation
  // that must end the run from inside the game throws a Failure.
  virtual int run(Session& session) = 0;
};

}  // namespace fortuna

namespace fortuna {

class InterruptSource;

// A front end ready to open, or why it cannot be used here (no display, no terminal, a key
// script that does not read).
using CreatedFrontend = std::variant<std::unique_ptr<Frontend>, Failure>;
using CreateFrontend = CreatedFrontend (*)(const Options& options, InterruptSource& interrupts);

// A front end as the run and the command line know it.
struct FrontendRow {
  FrontendKind kind;
  const char* name;       // as --frontend takes it
  CreateFrontend create;  // nothing when this build has none
  // The engine it speaks through unless asked otherwise; nothing: the system's own.
  std::optional<EngineKind> speech;
  SettingsByDefault settings;
  // Chosen when nothing was asked for and this says it fits; nothing: never by itself.
  bool (*preferred)();
  // The keys it reads its own way, for --help; nothing for none.
  std::string (*keys_help)();
};

}  // namespace fortuna
