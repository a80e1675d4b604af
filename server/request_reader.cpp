// A client's frames read into requests: every field checked, every name cleaned.
#include <nlohmann/json.hpp>

#include "data/text.h"
#include "run/key_names.h"
#include "server/messages.h"

namespace fortuna {

namespace {

using Json = nlohmann::json;
constexpr std::size_t kLongestName = 60;

// A field's value, or the refusal the request gets without it.
struct Fields {
  const Json& object;

  const Json* find(const char* name) const {
    const auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
  }
  std::optional<std::string> text(const char* name) const {
    const Json* value = find(name);
    if (!value || !value->is_string()) return std::nullopt;
    return value->get<std::string>();
  }
  std::optional<int> whole(const char* name, int least, int most) const {
    const Json* value = find(name);
    if (!value || !value->is_number_integer()) return std::nullopt;
    const auto number = value->get<std::int64_t>();
    if (number < least || number > most) return std::nullopt;
    return static_cast<int>(number);
  }
};

using Read = std::variant<Request, Refused>;

// A name's field: nothing when it holds a name, now in into.
Answer take_name(const std::optional<std::string>& text, std::string& into) {
  if (!text) return refused(Refusal::Malformed);
  const auto clean = clean_name(*text, kLongestName);
  if (!clean) return refused(Refusal::BadName);
  into = *clean;
  return std::nullopt;
}

Read read_hello(const Fields& fields) {
  request::Hello hello;
  const Json* version = fields.find("version");
  if (!version || !version->is_number_integer()) return refused(Refusal::Malformed).value();
  if (*version != kProtocolVersion) return refused(Refusal::Version).value();
  hello.version = kProtocolVersion;
  if (const Json* token = fields.find("token"); token && !token->is_null()) {
    if (!token->is_string()) return refused(Refusal::Malformed).value();
    hello.token = token->get<std::string>();
  }
  if (fields.find("seen")) {
    hello.seen = fields.whole("seen", 0, 1 << 30);
    if (!hello.seen) return refused(Refusal::Malformed).value();
  }
  if (auto bad = take_name(fields.text("name"), hello.name)) return *bad;
  return hello;
}

Read read_character_request(const std::string& type, const Fields& fields) {
  const auto number = fields.whole("character", 1, kCharacterCount);
  if (!number) return refused(Refusal::Malformed).value();
  const auto character = static_cast<CharacterId>(*number - 1);
  if (type == "take") return request::Take{character};
  if (type == "release") return request::Release{character};
  request::Rename rename{character, {}};
  if (auto bad = take_name(fields.text("name"), rename.name)) return *bad;
  return rename;
}

Read read_table_request(const std::string& type, const Fields& fields) {
  std::string table;
  if (auto bad = take_name(fields.text("table"), table)) return *bad;
  if (type == "create") return request::Create{table};
  const auto as = fields.text("as");
  if (as != "player" && as != "onlooker") return refused(Refusal::Malformed).value();
  return request::Join{table, *as == "player" ? Role::Player : Role::Onlooker};
}

Read read_typed(const std::string& type, const Fields& fields) {
  if (type == "hello") return read_hello(fields);
  if (type == "list") return request::List{};
  if (type == "create" || type == "join") return read_table_request(type, fields);
  if (type == "leave") return request::Leave{};
  if (type == "take" || type == "release" || type == "rename")
    return read_character_request(type, fields);
  if (type == "start") return request::Start{};
  if (type == "key") {
    const auto name = fields.text("key");
    if (!name) return refused(Refusal::Malformed).value();
    const auto key = parse_key_name(*name);
    if (!key) return refused(Refusal::BadKey).value();
    return request::Press{*key};
  }
  return refused(Refusal::UnknownType).value();
}

}  // namespace

std::variant<Request, Refused> read_request(std::string_view frame) {
  if (frame.size() > kLongestFrame) return refused(Refusal::TooLarge).value();
  const Json message = Json::parse(frame, nullptr, false);
  if (message.is_discarded() || !message.is_object()) return refused(Refusal::Malformed).value();
  const auto type = message.find("type");
  if (type == message.end() || !type->is_string()) return refused(Refusal::Malformed).value();
  return read_typed(type->get<std::string>(), Fields{message});
}

}  // namespace fortuna
