// What tests see of a table: every message each person was sent, and its events as recorded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "table/table.h"

namespace fortuna::testing {

class RecordingOutbox final : public Outbox {
 public:
  void send(PersonId to, const Outgoing& message) override { sent[to].push_back(message); }

  // The texts a person was said, in order, with their numbers.
  std::vector<sent::Say> says(PersonId person) const {
    std::vector<sent::Say> found;
    if (const auto it = sent.find(person); it != sent.end())
      for (const Outgoing& message : it->second)
        if (const auto* say = std::get_if<sent::Say>(&message)) found.push_back(*say);
    return found;
  }
  template <typename Message>
  std::vector<Message> all(PersonId person) const {
    std::vector<Message> found;
    if (const auto it = sent.find(person); it != sent.end())
      for (const Outgoing& message : it->second)
        if (const auto* m = std::get_if<Message>(&message)) found.push_back(*m);
    return found;
  }

  std::map<PersonId, std::vector<Outgoing>> sent;
};

class RecordingJournal final : public TableRecorder {
 public:
  bool record(const TableEvent& event) override {
    if (failing) return false;
    events.push_back(event);
    return true;
  }
  std::vector<TableEvent> events;
  bool failing = false;
};

}  // namespace fortuna::testing
