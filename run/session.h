// The game as a front end drives it: keys in, in order, each one written to the transcript and
// timed to its first word.
#pragma once

#include <cstdint>
#include <optional>

#include "data/keys.h"
#include "run/run_engine.h"
#include "run/transcript.h"
#include "screens/program.h"

namespace fortuna {

class Session {
 public:
  Session(Program& program, Transcript& transcript, RunEngine& timing)
      : program_(program), transcript_(transcript), timing_(timing) {}

  // A key; read_at is the steady time it reached the front end, when the front end knows it.
  void deliver(Key key, std::optional<std::uint64_t> read_at = std::nullopt) {
    deliver_from(std::nullopt, key, read_at);
  }
  // A key from a seat (GameScreen::key_down).
  void deliver_from(std::optional<CharacterId> seat, Key key,
                    std::optional<std::uint64_t> read_at = std::nullopt) {
    transcript_.key(key, seat);
    timing_.key_started(read_at);
    program_.key_down(key, seat);
    timing_.key_started(std::nullopt);
  }
  bool ended() const { return program_.ended(); }
  // Each seat hears on its own from now on (GameScreen::use_seats).
  void use_seats() { program_.use_seats(); }

 private:
  Program& program_;
  Transcript& transcript_;
  RunEngine& timing_;
};

}  // namespace fortuna
