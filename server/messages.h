// The table protocol's messages (docs/protocol.md) as values: a client's frame read into a
// request or a refusal, and what the server sends written as JSON. No network here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "table/outgoing.h"
#include "table/protocol.h"
#include "table/table.h"

namespace fortuna {

inline constexpr std::size_t kLongestFrame = 4096;

namespace request {
struct Hello {
  int version = 0;
  std::string name;
  std::optional<std::string> token;
  std::optional<int> seen;  // the last text's n the client heard
};
struct List {};
struct Create {
  std::string table;
};
struct Join {
  std::string table;
  Role role = Role::Player;
};
struct Leave {};
struct Take {
  CharacterId character = 0;
};
struct Release {
  CharacterId character = 0;
};
struct Rename {
  CharacterId character = 0;
  std::string name;
};
struct Start {};
struct Press {
  Key key;
};
}  // namespace request

using Request =
    std::variant<request::Hello, request::List, request::Create, request::Join, request::Leave,
                 request::Take, request::Release, request::Rename, request::Start, request::Press>;

// A text frame as a request; what is not one, as the refusal it gets.
std::variant<Request, Refused> read_request(std::string_view frame);

std::string write_message(const Outgoing& message);
std::string welcome_message(const std::string& token, const std::string& name, bool resumed);
std::string tables_message(const std::vector<Table::Summary>& tables);
std::string error_message(const Refused& refused);
std::string goodbye_message(Goodbye goodbye);

}  // namespace fortuna
