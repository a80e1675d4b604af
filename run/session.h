// What a run plays, as a front end drives it: keys in, in order, each one written to the
// transcript and timed to its first word. The game on this machine (LocalSession), or a table on
// a server as its person plays it (the client's).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "data/clock.h"
#include "data/keys.h"
#include "run/run_engine.h"
#include "run/transcript.h"
#include "screens/platform.h"
#include "screens/settings.h"
#include "speech/channel.h"

namespace fortuna {

class Inbox;

class Session {
 public:
  Session(Transcript& transcript, RunEngine& timing) : transcript_(transcript), timing_(timing) {}
  virtual ~Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The voice every text goes through: the transcript and a braille display watch it.
  virtual SpeechChannel& speech() = 0;
  // The greeting: the first word of the run.
  virtual void start() = 0;
  virtual bool ended() const = 0;
  // Each seat hears on its own from now on (a key script with seats); a Failure where a game
  // has no seats to give.
  virtual void use_seats() = 0;

  // A key; read_at is the steady time it reached the front end, when the front end knows it.
  void deliver(Key key, std::optional<std::uint64_t> read_at = std::nullopt) {
    deliver_from(std::nullopt, key, read_at);
  }
  // A key from a seat (the start-screen place of the character its person plays).
  void deliver_from(std::optional<CharacterId> seat, Key key,
                    std::optional<std::uint64_t> read_at = std::nullopt) {
    transcript_.key(key, seat);
    timing_.key_started(read_at);
    press(seat, key);
    timing_.key_started(std::nullopt);
  }

 protected:
  virtual void press(std::optional<CharacterId> seat, Key key) = 0;

 private:
  Transcript& transcript_;
  RunEngine& timing_;
};

// What a session is made of: the run's voice, its platform (recorded), clock and settings, the
// inbox other threads reach the front end's loop through, and what F1 adds.
struct SessionParts {
  RunEngine& engine;
  Platform& platform;
  Clock& clock;
  SettingsStore* settings;
  Transcript& transcript;
  Inbox& inbox;
  std::string help_extra;
};
using MakeSession = std::function<std::unique_ptr<Session>(SessionParts& parts)>;

// The game on this machine: the start screen, then the game, at one keyboard or seated.
std::unique_ptr<Session> make_local_session(SessionParts& parts);

}  // namespace fortuna
