// What a table sends each person at it: the answers to their requests are returned, everything
// else (what is said, the roster, the label, the choices) goes out through an outbox.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/audience.h"
#include "data/keys.h"
#include "narration/refusals.h"
#include "speech/channel.h"
#include "table/table_event.h"

namespace fortuna {

// A request refused: why, and the sentence its person hears.
struct Refused {
  Refusal refusal;
  std::string message;
};
using Answer = std::optional<Refused>;
inline Answer refused(Refusal refusal) {
  return Refused{refusal, refusal_text(refusal)};
}

struct Choice {
  Key key;
  std::string name;
  bool operator==(const Choice&) const = default;
};

// A text as a person heard it, with its place in what they heard at this table (from 1).
struct Heard {
  std::shared_ptr<const std::string> text;
  int n = 0;
};

namespace sent {
struct Joined {
  std::string table;
  Role role = Role::Player;
  bool creator = false;
  bool started = false;
};
struct Roster {
  struct Entry {
    int number = 0;  // 1 to 10
    std::string name;
    std::optional<std::string> holder;
    bool yours = false;  // held by the person it goes to: two people may share a name
  };
  std::vector<Entry> characters;
  std::string creator;
  std::vector<std::string> players;
  int onlookers = 0;
  bool started = false;
};
struct Say {
  std::shared_ptr<const std::string> text;
  Wait wait = Wait::None;
  Address to;
  std::optional<int> n;  // nothing for a text said for this moment alone
};
struct Missed {
  std::vector<Heard> texts;
};
struct Label {
  std::string text;
};
struct Beep {};
struct Choices {
  std::vector<Choice> choices;
};
}  // namespace sent

using Outgoing = std::variant<sent::Joined, sent::Roster, sent::Say, sent::Missed, sent::Label,
                              sent::Beep, sent::Choices>;

class Outbox {
 public:
  virtual ~Outbox() = default;
  // To a person at the table, connected or not: one who is not connected misses it.
  virtual void send(PersonId to, const Outgoing& message) = 0;
};

}  // namespace fortuna
