#include "support/protocol_person.h"

namespace fortuna::testing {

ProtocolPerson::ProtocolPerson(unsigned short port, std::string name)
    : port_(port), name_(std::move(name)), client_(std::make_unique<WsClient>(port)) {}

bool ProtocolPerson::greet() {
  if (!client_->send({{"type", "hello"}, {"version", 1}, {"name", name_}})) return false;
  const auto answer = client_->until("welcome");
  if (answer.empty()) return false;
  token_ = answer.back().value("token", "");
  return !token_.empty();
}

bool ProtocolPerson::come_back() {
  client_ = std::make_unique<WsClient>(port_);
  Json hello{{"type", "hello"}, {"version", 1}, {"name", name_}, {"token", token_}};
  if (!texts_.empty()) hello["seen"] = last_heard();
  if (!client_->send(hello)) return false;
  const auto answer = client_->until("welcome");
  for (const Json& message : answer) keep(message);
  return !answer.empty();
}

std::vector<Json> ProtocolPerson::request(const Json& message) {
  std::vector<Json> answer;
  answered_ = false;
  const bool barrier = message.value("type", "") == "list";
  if (!client_->send(message)) return answer;
  if (!barrier && !client_->send({{"type", "list"}})) return answer;
  answer = client_->until("tables");
  answered_ = !answer.empty();
  if (answered_) answer.pop_back();
  for (const Json& m : answer) keep(m);
  return answer;
}

void ProtocolPerson::keep(const Json& message) {
  log_.push_back(message);
  const std::string type = message.value("type", "");
  if (type == "say" && message.contains("n")) texts_[message["n"].get<int>()] = message["text"];
  if (type == "missed")
    for (const Json& text : message["texts"]) texts_[text["n"].get<int>()] = text["text"];
}

}  // namespace fortuna::testing
