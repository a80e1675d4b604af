// The server's parts that need no network: requests read from frames, messages written, the
// limits counted, the page's files found, the journal kept and read back.
#include <gtest/gtest.h>

#include <fstream>

#include "server/guards.h"
#include "server/journal.h"
#include "server/messages.h"
#include "server/tokens.h"
#include "server/web_files.h"
#include "support/run_fortuna.h"
#include "support/test_server.h"
#include "support/ws_client.h"

namespace fortuna::testing {
namespace {

Refusal refusal_of(std::string_view frame) {
  const auto read = read_request(frame);
  return std::holds_alternative<Refused>(read) ? std::get<Refused>(read).refusal
                                               : Refusal::HelloFirst;
}

TEST(ServerParts, FramesAreReadIntoRequestsWithEveryFieldChecked) {
  const auto hello = std::get<request::Hello>(std::get<Request>(read_request(
      R"({"type":"hello","version":1,"name":" Ana ","token":"5f1c","seen":12,"extra":[1]})")));
  EXPECT_EQ(hello.name, "Ana");
  EXPECT_EQ(hello.token, "5f1c");
  EXPECT_EQ(hello.seen, 12);
  const auto join = std::get<request::Join>(
      std::get<Request>(read_request(R"({"type":"join","table":"Mesa","as":"onlooker"})")));
  EXPECT_EQ(join.role, Role::Onlooker);
  const auto rename = std::get<request::Rename>(
      std::get<Request>(read_request(R"({"type":"rename","character":10,"name":"Doña Ñandú"})")));
  EXPECT_EQ(rename.character, 9);
  const auto press =
      std::get<request::Press>(std::get<Request>(read_request(R"({"type":"key","key":"ctrl+2"})")));
  EXPECT_EQ(press.key, (Key{keys::k1 + 1, {false, true, false}}));
  EXPECT_EQ(refusal_of(R"({"type":"hello","version":"1","name":"Ana"})"), Refusal::Malformed);
  EXPECT_EQ(refusal_of(R"({"type":"hello","version":2,"name":"Ana"})"), Refusal::Version);
  EXPECT_EQ(refusal_of(R"({"type":"hello","version":1,"name":"Ana","seen":-1})"),
            Refusal::Malformed);
  EXPECT_EQ(refusal_of(R"({"type":"take","character":0})"), Refusal::Malformed);
  EXPECT_EQ(refusal_of(R"({"type":"take","character":1.5})"), Refusal::Malformed);
  EXPECT_EQ(refusal_of(R"({"type":"rename","character":1,"name":"a\u0000b"})"), Refusal::BadName);
  EXPECT_EQ(refusal_of(R"({"type":"create","table":"a\u2028b"})"), Refusal::BadName);
  EXPECT_EQ(refusal_of(R"({"type":"key","key":"Space+Space"})"), Refusal::BadKey);
  EXPECT_EQ(refusal_of(R"({"type":"Hello"})"), Refusal::UnknownType);
  EXPECT_EQ(refusal_of(std::string(5000, ' ')), Refusal::TooLarge);
}

TEST(ServerParts, MessagesAreWrittenAsTheProtocolShowsThem) {
  const sent::Say say{std::make_shared<const std::string>("Hola \"tú\""), Wait::Before,
                      Address::to_seat(2), 7};
  EXPECT_EQ(
      write_message(say),
      R"({"type":"say","text":"Hola \"tú\"","wait":"before","audience":"seat","seat":3,"n":7})");
  EXPECT_EQ(write_message(sent::Say{say.text, Wait::None, Address::table(), std::nullopt}),
            R"({"type":"say","text":"Hola \"tú\"","wait":"none","audience":"table"})");
  EXPECT_EQ(write_message(sent::Choices{{{{keys::k1, {false, true, false}}, "Descartar 1. X"}}}),
            R"({"type":"choices","choices":[{"key":"Ctrl+1","name":"Descartar 1. X"}]})");
  EXPECT_EQ(error_message(Refused{Refusal::Taken, "Ese personaje ya lo lleva Ana."}),
            R"({"type":"error","code":"taken","message":"Ese personaje ya lo lleva Ana."})");
  EXPECT_EQ(goodbye_message(Goodbye::TooSlow).substr(0, 40),
            R"({"type":"goodbye","reason":"too_slow","m)");
}

TEST(ServerParts, TokensAreFreshAndLimitsCount) {
  const auto a = new_token(), b = new_token();
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(looks_like_token(*a));
  EXPECT_NE(*a, *b);
  EXPECT_FALSE(looks_like_token("5F1C0E3A9B7D4C21E8A6F0B2D3C4E5F6"));
  FloodGate gate(3);
  const auto t = std::chrono::steady_clock::time_point{};
  using std::chrono::milliseconds;
  EXPECT_TRUE(gate.admit(t));
  EXPECT_TRUE(gate.admit(t + milliseconds(10)));
  EXPECT_TRUE(gate.admit(t + milliseconds(20)));
  EXPECT_FALSE(gate.admit(t + milliseconds(999)));
  EXPECT_TRUE(gate.admit(t + milliseconds(1011)));
  auto limit = std::make_shared<AddressLimit>(2);
  auto first = limit->enter("10.0.0.1"), second = limit->enter("10.0.0.1");
  auto third = limit->enter("10.0.0.1"), elsewhere = limit->enter("10.0.0.2");
  EXPECT_FALSE(second->over());
  EXPECT_TRUE(third->over());
  EXPECT_FALSE(elsewhere->over());
  third.reset();
  first.reset();
  EXPECT_FALSE(limit->enter("10.0.0.1")->over());
}

TEST(ServerParts, ThePageIsServedFromItsFolderAndNothingOutsideIt) {
  const auto root = scratch_dir() / "web";
  std::filesystem::create_directories(root / "img");
  std::ofstream(root / "index.html") << "<!doctype html><title>Fortuna</title>";
  std::ofstream(root / "app.js") << "console.log('hola');";
  std::ofstream(root / "img" / "ñ.svg") << "<svg/>";
  std::ofstream(root / ".secret") << "no";
  std::ofstream(root.parent_path() / "outside.txt") << "no";
  std::filesystem::create_symlink(root.parent_path() / "outside.txt", root / "link.txt");
  EXPECT_EQ(find_web_file(root, "/")->path.filename(), "index.html");
  EXPECT_EQ(find_web_file(root, "/app.js?v=2")->type, "text/javascript; charset=utf-8");
  EXPECT_EQ(find_web_file(root, "/img/%C3%B1.svg")->type, "image/svg+xml");
  for (const char* outside : {"/../outside.txt", "/%2e%2e/outside.txt", "/img/../../outside.txt",
                              "/.secret", "/link.txt", "/missing", "img", "/%zz", "/a%00b"})
    EXPECT_FALSE(find_web_file(root, outside)) << outside;

  NetworkSettings settings;
  settings.web = root;
  TestServer server({}, settings);
  const HttpAnswer page = http_request(server.port(), "GET", "/");
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.type, "text/html; charset=utf-8");
  EXPECT_EQ(page.body, "<!doctype html><title>Fortuna</title>");
  EXPECT_EQ(http_request(server.port(), "HEAD", "/app.js").status, 200);
  EXPECT_EQ(http_request(server.port(), "GET", "/../outside.txt").status, 404);
  EXPECT_EQ(http_request(server.port(), "POST", "/").status, 405);
  EXPECT_EQ(http_request(server.port(), "DELETE", "/app.js").status, 405);
  WsClient elsewhere(server.port(), {"/juego", 0});
  EXPECT_FALSE(elsewhere.connected());
}

TEST(ServerParts, TheJournalKeepsPeopleAndTablesForOneServerAtATime) {
  const auto folder = scratch_dir();
  auto opened = Journal::open(folder / "mesas.sqlite");
  ASSERT_TRUE(std::holds_alternative<std::unique_ptr<Journal>>(opened));
  Journal& journal = *std::get<std::unique_ptr<Journal>>(opened);
  ASSERT_TRUE(journal.add_person({7, "abc", "Ana"}));
  const auto first = journal.add_table("Mesa"), second = journal.add_table("Otra");
  ASSERT_TRUE(first && second);
  ASSERT_TRUE(journal.record(*first, TableEvent::of(TableEvent::Kind::Join, 7, 0, "Ana")));
  ASSERT_TRUE(journal.record(*second, TableEvent::pressed(7, {keys::kC, {true, false, true}})));
  ASSERT_TRUE(journal.record(*first, TableEvent::clock({23, 59, 58})));
  const auto second_server = Journal::open(folder / "mesas.sqlite");
  ASSERT_TRUE(std::holds_alternative<std::string>(second_server));
  EXPECT_NE(std::get<std::string>(second_server).find("mesas.sqlite"), std::string::npos);
  const auto tables = journal.tables();
  ASSERT_EQ(tables.size(), 2u);
  ASSERT_EQ(tables[0].events.size(), 2u);
  EXPECT_EQ(tables[0].events[0].text, "Ana");
  EXPECT_EQ(tables[0].events[1].time().second, 58);
  EXPECT_EQ(tables[1].events[0].key(), (Key{keys::kC, {true, false, true}}));
  ASSERT_TRUE(journal.close_table(*first));
  EXPECT_EQ(journal.tables().size(), 1u);
  EXPECT_EQ(journal.people().front().name, "Ana");
  ASSERT_TRUE(journal.forget_person(7));
  EXPECT_TRUE(journal.people().empty());
  const auto nowhere = Journal::open("/proc/no/such/folder/mesas.sqlite");
  EXPECT_TRUE(std::holds_alternative<std::string>(nowhere));
}

}  // namespace
}  // namespace fortuna::testing
