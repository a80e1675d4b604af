#include "client/protocol.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "run/key_names.h"

namespace fortuna {

namespace {

using Json = nlohmann::json;

std::string dump(const Json& message) {
  return message.dump(-1, ' ', false, Json::error_handler_t::replace);
}

constexpr std::pair<const char*, ServerMessage::Kind> kKinds[] = {
    {"welcome", ServerMessage::Kind::Welcome}, {"tables", ServerMessage::Kind::Tables},
    {"joined", ServerMessage::Kind::Joined},   {"roster", ServerMessage::Kind::Roster},
    {"say", ServerMessage::Kind::Say},         {"missed", ServerMessage::Kind::Missed},
    {"label", ServerMessage::Kind::Label},     {"beep", ServerMessage::Kind::Beep},
    {"choices", ServerMessage::Kind::Choices}, {"error", ServerMessage::Kind::Error},
    {"goodbye", ServerMessage::Kind::Goodbye}};

Wait wait_named(const std::string& name) {
  if (name == "before") return Wait::Before;
  if (name == "after") return Wait::After;
  if (name == "both") return Wait::BeforeAndAfter;
  return Wait::None;
}

Address address_of(const Json& say) {
  const std::string audience = say.value("audience", "table");
  Address to;
  to.audience = audience == "seat"    ? Audience::Seat
                : audience == "asker" ? Audience::Asker
                                      : Audience::Table;
  if (say.contains("seat")) to.seat = static_cast<CharacterId>(say.at("seat").get<int>() - 1);
  return to;
}

void read_lists(const Json& json, ServerMessage& message) {
  for (const Json& table : json.value("tables", Json::array()))
    message.tables.push_back({table.at("name").get<std::string>(), table.value("players", 0),
                              table.value("onlookers", 0), table.value("started", false)});
  for (const Json& character : json.value("characters", Json::array())) {
    ServerMessage::Character entry{character.at("number").get<int>(),
                                   character.at("name").get<std::string>(), std::nullopt,
                                   character.value("yours", false)};
    if (character.contains("holder")) entry.holder = character.at("holder").get<std::string>();
    message.characters.push_back(std::move(entry));
  }
  for (const Json& text : json.value("texts", Json::array()))
    message.missed.push_back(text.at("text").get<std::string>());
  for (const Json& choice : json.value("choices", Json::array()))
    message.choices.push_back(
        {choice.at("key").get<std::string>(), choice.at("name").get<std::string>()});
}

}  // namespace

std::optional<ServerMessage> read_server_message(std::string_view text, std::string& error) {
  try {
    const Json json = Json::parse(text);
    const std::string type = json.at("type").get<std::string>();
    ServerMessage message;
    const auto* kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                    [&](const auto& entry) { return type == entry.first; });
    if (kind == std::end(kKinds)) {
      error = "unknown type " + type;
      return std::nullopt;
    }
    message.kind = kind->second;
    message.text = json.value("text", json.value("name", json.value("table", std::string())));
    message.token = json.value("token", std::string());
    message.code = json.value("code", json.value("reason", std::string()));
    if (message.kind == ServerMessage::Kind::Error || message.kind == ServerMessage::Kind::Goodbye)
      message.text = json.value("message", std::string());
    if (message.kind == ServerMessage::Kind::Welcome) message.flag = json.value("resumed", false);
    if (message.kind == ServerMessage::Kind::Joined) message.flag = json.value("creator", false);
    message.onlooker = json.value("as", std::string()) == "onlooker";
    message.started = json.value("started", false);
    message.wait = wait_named(json.value("wait", std::string()));
    message.to = address_of(json);
    message.n = json.value("n", 0);
    if (message.kind == ServerMessage::Kind::Roster)
      message.creator = json.value("creator", std::string());
    read_lists(json, message);
    return message;
  } catch (const Json::exception& e) {
    error = e.what();
    return std::nullopt;
  }
}

std::string hello_message(const std::string& name, const std::string& token, int seen) {
  Json hello{{"type", "hello"}, {"version", kProtocolVersion}, {"name", name}};
  if (!token.empty()) hello["token"] = token;
  if (!token.empty() && seen > 0) hello["seen"] = seen;
  return dump(hello);
}
std::string list_message() {
  return dump({{"type", "list"}});
}
std::string create_message(const std::string& table) {
  return dump({{"type", "create"}, {"table", table}});
}
std::string join_message(const std::string& table, bool onlooker) {
  return dump({{"type", "join"}, {"table", table}, {"as", onlooker ? "onlooker" : "player"}});
}
std::string leave_message() {
  return dump({{"type", "leave"}});
}
std::string take_message(int character) {
  return dump({{"type", "take"}, {"character", character}});
}
std::string release_message(int character) {
  return dump({{"type", "release"}, {"character", character}});
}
std::string rename_message(int character, const std::string& name) {
  return dump({{"type", "rename"}, {"character", character}, {"name", name}});
}
std::string start_message() {
  return dump({{"type", "start"}});
}
std::string key_message(Key key) {
  return dump({{"type", "key"}, {"key", key_name(key)}});
}

}  // namespace fortuna
