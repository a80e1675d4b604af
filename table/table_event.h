// What happens at a table, as the journal keeps it: each event is written before it takes
// effect, and a table played again from its events comes back to the same state.
#pragma once

#include <cstdint>
#include <string>

#include "data/clock.h"
#include "data/keys.h"

namespace fortuna {

// A person, for as long as the server knows them: at a table and through their connections.
using PersonId = std::int64_t;

struct TableEvent {
  enum class Kind : std::uint8_t {
    Join,     // number: the role; text: the person's name
    Leave,    //
    Take,     // number: the character, 0 to 9
    Release,  // number: the character
    Rename,   // number: the character; text: the new name
    Start,    //
    Key,      // number: the key's code; modifiers: its modifiers' bits
    Away,     // number: the seconds the character waits for its person
    Back,     //
    StandIn,  // the computer plays for a person who did not come back in time
    Clock,    // number: the time of day the game read, in seconds since midnight
  };
  Kind kind = Kind::Join;
  PersonId person = 0;
  int number = 0;
  int modifiers = 0;
  std::string text;

  static TableEvent of(Kind kind, PersonId person, int number = 0, std::string text = {}) {
    TableEvent event;
    event.kind = kind;
    event.person = person;
    event.number = number;
    event.text = std::move(text);
    return event;
  }
  static TableEvent pressed(PersonId person, Key key) {
    TableEvent event = of(Kind::Key, person, key.code);
    event.modifiers = key.modifiers.bits();
    return event;
  }
  Key key() const { return {number, Modifiers::from_bits(modifiers)}; }
  TimeOfDay time() const { return {number / 3600, number / 60 % 60, number % 60}; }
  static TableEvent clock(TimeOfDay time) {
    return of(Kind::Clock, 0, time.hour * 3600 + time.minute * 60 + time.second);
  }
};

// Where a table's events are kept.
class TableRecorder {
 public:
  virtual ~TableRecorder() = default;
  // False when it could not be kept: then it must not happen.
  virtual bool record(const TableEvent& event) = 0;
};

}  // namespace fortuna
