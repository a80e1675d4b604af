// What the server sends, written as the protocol's JSON objects.
#include <nlohmann/json.hpp>

#include "run/key_names.h"
#include "server/messages.h"

namespace fortuna {

namespace {

using Ordered = nlohmann::ordered_json;

const char* wait_name(Wait wait) {
  static constexpr const char* kNames[] = {"none", "before", "after", "both"};
  return kNames[static_cast<int>(wait)];
}

const char* audience_name(Audience audience) {
  static constexpr const char* kNames[] = {"table", "seat", "asker"};
  return kNames[static_cast<int>(audience)];
}

std::string dump(const Ordered& message) {
  return message.dump(-1, ' ', false, Ordered::error_handler_t::replace);
}

Ordered address(const Address& to) {
  Ordered fields{{"audience", audience_name(to.audience)}};
  if (to.seat) fields["seat"] = *to.seat + 1;
  return fields;
}

Ordered written(const sent::Joined& joined) {
  return {{"type", "joined"},
          {"table", joined.table},
          {"as", joined.role == Role::Player ? "player" : "onlooker"},
          {"creator", joined.creator},
          {"started", joined.started}};
}

Ordered written(const sent::Roster& roster) {
  Ordered characters = Ordered::array();
  for (const auto& entry : roster.characters) {
    Ordered character{{"number", entry.number}, {"name", entry.name}};
    if (entry.holder) character["holder"] = *entry.holder;
    if (entry.yours) character["yours"] = true;
    characters.push_back(std::move(character));
  }
  return {{"type", "roster"},
          {"characters", std::move(characters)},
          {"creator", roster.creator},
          {"players", roster.players},
          {"onlookers", roster.onlookers},
          {"started", roster.started}};
}

Ordered written(const sent::Say& say) {
  Ordered message{{"type", "say"}, {"text", *say.text}, {"wait", wait_name(say.wait)}};
  message.update(address(say.to));
  if (say.n) message["n"] = *say.n;
  return message;
}

Ordered written(const sent::Missed& missed) {
  Ordered texts = Ordered::array();
  for (const Heard& heard : missed.texts) texts.push_back({{"text", *heard.text}, {"n", heard.n}});
  return {{"type", "missed"}, {"texts", std::move(texts)}};
}

Ordered written(const sent::Label& label) {
  return {{"type", "label"}, {"text", label.text}};
}

Ordered written(const sent::Beep&) {
  return {{"type", "beep"}};
}

Ordered written(const sent::Choices& choices) {
  Ordered list = Ordered::array();
  for (const Choice& choice : choices.choices)
    list.push_back({{"key", key_name(choice.key)}, {"name", choice.name}});
  return {{"type", "choices"}, {"choices", std::move(list)}};
}

}  // namespace

std::string write_message(const Outgoing& message) {
  return dump(std::visit([](const auto& m) { return written(m); }, message));
}

std::string welcome_message(const std::string& token, const std::string& name, bool resumed) {
  return dump({{"type", "welcome"},
               {"version", kProtocolVersion},
               {"token", token},
               {"name", name},
               {"resumed", resumed}});
}

std::string tables_message(const std::vector<Table::Summary>& tables) {
  Ordered list = Ordered::array();
  for (const Table::Summary& table : tables)
    list.push_back({{"name", table.name},
                    {"players", table.players},
                    {"onlookers", table.onlookers},
                    {"started", table.started},
                    {"free", table.free}});
  return dump({{"type", "tables"}, {"tables", std::move(list)}});
}

std::string error_message(const Refused& refused) {
  return dump(
      {{"type", "error"}, {"code", refusal_code(refused.refusal)}, {"message", refused.message}});
}

std::string goodbye_message(Goodbye goodbye) {
  return dump({{"type", "goodbye"},
               {"reason", goodbye_reason(goodbye)},
               {"message", goodbye_text(goodbye)}});
}

}  // namespace fortuna
