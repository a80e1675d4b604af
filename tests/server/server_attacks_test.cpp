// Every attack the protocol names, answered as it says, while the tables play on: frames too
// large, floods, too many connections, what is not JSON or not a request, bad names, keys for
// a seat not one's own, guessed tokens, readers far behind, connections gone silent.
#include <gtest/gtest.h>

#include "support/protocol_person.h"
#include "support/run_fortuna.h"
#include "support/test_server.h"

namespace fortuna::testing {
namespace {

// The error code of the next message, or what came instead.
std::string next_error(WsClient& client) {
  const auto message = client.next();
  if (!message) return "(nothing)";
  if ((*message)["type"] != "error") return message->dump();
  EXPECT_FALSE((*message)["message"].get<std::string>().empty());
  return (*message)["code"];
}

Json hello(const std::string& name) {
  return {{"type", "hello"}, {"version", 1}, {"name", name}};
}

TEST(ServerAttacks, WhatIsNoRequestIsAnsweredAndTheConnectionStays) {
  NetworkSettings settings;
  settings.messages_per_second = 1000;
  TestServer server({}, settings);
  WsClient c(server.port());
  ASSERT_TRUE(c.connected());
  c.send({{"type", "list"}});
  EXPECT_EQ(next_error(c), "hello_first");
  for (const std::string frame : {"{", "[1,2]", "\"hello\"", "{\"type\":3}", "{}"}) {
    c.send_frame(frame);
    EXPECT_EQ(next_error(c), "malformed") << frame;
  }
  c.send_frame("{\"type\":\"hello\"}", WsClient::Frame::Binary);
  EXPECT_EQ(next_error(c), "malformed");
  c.send({{"type", "dance"}});
  EXPECT_EQ(next_error(c), "unknown_type");
  for (const std::string& name :
       std::vector<std::string>{"", "   ", std::string(61, 'a'), "Ana\nLuis", "Ana\x07"}) {
    c.send(hello(name));
    EXPECT_EQ(next_error(c), "bad_name") << name;
  }
  c.send({{"type", "hello"}, {"version", 1}, {"name", "Ana"}, {"seen", "mucho"}});
  EXPECT_EQ(next_error(c), "malformed");
  // Sixty characters, counted as people read them, and blanks around them trimmed.
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += "ñ";
  c.send(hello("  " + sixty + " "));
  const auto welcome = c.until("welcome");
  ASSERT_FALSE(welcome.empty());
  EXPECT_EQ(welcome.back()["name"], sixty);
  c.send(hello("Ana"));
  EXPECT_EQ(next_error(c), "hello_again");
  c.send({{"type", "create"}, {"table", "\t"}});
  EXPECT_EQ(next_error(c), "bad_name");
  c.send({{"type", "join"}, {"table", "Nada"}, {"as", "player"}});
  EXPECT_EQ(next_error(c), "no_such_table");
  c.send({{"type", "join"}, {"table", "Nada"}, {"as", "rey"}});
  EXPECT_EQ(next_error(c), "malformed");
  c.send({{"type", "take"}, {"character", 11}});
  EXPECT_EQ(next_error(c), "malformed");
  c.send({{"type", "key"}, {"key", "Hyper+Q"}});
  EXPECT_EQ(next_error(c), "bad_key");
  c.send({{"type", "key"}, {"key", "Space"}});
  EXPECT_EQ(next_error(c), "not_at_table");
  EXPECT_TRUE(c.connected());
  // Text that is not UTF-8 breaks WebSocket itself.
  c.send_frame("{\"type\":\"\xff\xfe\"}");
  EXPECT_TRUE(c.ended());
}

TEST(ServerAttacks, AnotherVersionATooLargeFrameAndAFloodCloseTheConnection) {
  TestServer server;
  WsClient old(server.port());
  old.send({{"type", "hello"}, {"version", 2}, {"name", "Ana"}});
  EXPECT_EQ(next_error(old), "version");
  EXPECT_TRUE(old.ended());
  WsClient large(server.port());
  large.send_frame("{\"type\":\"hello\",\"name\":\"" + std::string(4100, 'a') + "\"}");
  EXPECT_EQ(next_error(large), "too_large");
  EXPECT_TRUE(large.ended());
  WsClient flood(server.port());
  for (int i = 0; i < 21; ++i) flood.send({{"type", "list"}});
  std::string last;
  for (int i = 0; i < 25; ++i)
    if (const auto m = flood.next(); m && (*m)["type"] == "error") last = (*m)["code"];
  EXPECT_EQ(last, "flood");
  EXPECT_TRUE(flood.ended());
  // Twenty in a second are not too many.
  WsClient calm(server.port());
  for (int i = 0; i < 20; ++i) calm.send({{"type", "list"}});
  for (int i = 0; i < 20; ++i) EXPECT_EQ(next_error(calm), "hello_first");
  EXPECT_TRUE(calm.connected());
}

TEST(ServerAttacks, OneConnectionMoreThanAnAddressMayHoldIsRefused) {
  NetworkSettings settings;
  settings.connections_per_address = 3;
  TestServer server({}, settings);
  std::vector<std::unique_ptr<WsClient>> clients;
  for (int i = 0; i < 3; ++i) clients.push_back(std::make_unique<WsClient>(server.port()));
  WsClient extra(server.port());
  EXPECT_EQ(next_error(extra), "too_many_connections");
  EXPECT_TRUE(extra.ended());
  for (auto& client : clients) EXPECT_TRUE(client->connected());
  clients.front()->drop();
  clients.erase(clients.begin());
  std::unique_ptr<WsClient> again;
  EXPECT_TRUE(eventually(
      [&] {
        again = std::make_unique<WsClient>(server.port());
        again->send(hello("Eva"));
        return !again->until("welcome", Millis(500)).empty();
      },
      std::chrono::seconds(5)));
}

TEST(ServerAttacks, AGuessedTokenFindsNobodyAndMakesNobody) {
  TestServer server;
  ProtocolPerson ana(server.port(), "Ana");
  ASSERT_TRUE(ana.greet());
  WsClient guess(server.port());
  for (const std::string& token :
       std::vector<std::string>{"0123456789abcdef0123456789abcdef", "short", ana.token() + "0",
                                std::string(ana.token()).replace(0, 1, "x")}) {
    guess.send({{"type", "hello"}, {"version", 1}, {"name", "Ana"}, {"token", token}});
    EXPECT_EQ(next_error(guess), "unknown_token") << token;
  }
  guess.send({{"type", "list"}});
  EXPECT_EQ(next_error(guess), "hello_first");
  EXPECT_EQ(ana.token().size(), 32u);
  // Two people never share a token.
  ProtocolPerson luis(server.port(), "Luis");
  ASSERT_TRUE(luis.greet());
  EXPECT_NE(luis.token(), ana.token());
}

TEST(ServerAttacks, AKeyActsForItsSendersOwnSeatAloneAndOthersCharactersAreNotTheirs) {
  TestServer server;
  ProtocolPerson ana(server.port(), "Ana"), luis(server.port(), "Luis"), eva(server.port(), "Eva");
  for (auto* p : {&ana, &luis, &eva}) ASSERT_TRUE(p->greet());
  ana.request({{"type", "create"}, {"table", "Mesa"}});
  luis.request({{"type", "join"}, {"table", "Mesa"}, {"as", "player"}});
  eva.request({{"type", "join"}, {"table", "Mesa"}, {"as", "onlooker"}});
  ana.request({{"type", "take"}, {"character", 1}});
  luis.request({{"type", "take"}, {"character", 2}});
  const auto taken = luis.request({{"type", "take"}, {"character", 1}});
  ASSERT_FALSE(taken.empty());
  EXPECT_EQ(taken.back()["code"], "taken");
  EXPECT_EQ(luis.request({{"type", "release"}, {"character", 1}}).back()["code"], "not_yours");
  EXPECT_EQ(luis.request({{"type", "rename"}, {"character", 1}, {"name", "X"}}).back()["code"],
            "not_yours");
  EXPECT_EQ(luis.request({{"type", "start"}}).back()["code"], "not_creator");
  EXPECT_EQ(eva.request({{"type", "take"}, {"character", 5}}).back()["code"], "onlooker");
  ana.request({{"type", "start"}});
  EXPECT_EQ(eva.press("Space").back()["code"], "onlooker");
  ana.press("Space");  // the first day's room question
  eva.settle();
  // Whoever is not on turn hears whose turn it is, whatever seat they name.
  const auto said_to_luis = std::find_if(luis.log().rbegin(), luis.log().rend(),
                                         [](const Json& m) { return m["type"] == "say"; });
  ASSERT_NE(said_to_luis, luis.log().rend());
  ProtocolPerson& waiting = (*said_to_luis)["audience"] == "seat" ? ana : luis;
  const auto answer = waiting.request({{"type", "key"}, {"key", "1"}, {"seat", 1}, {"seat", 2}});
  ASSERT_FALSE(answer.empty());
  EXPECT_EQ(answer.back()["type"], "say");
  EXPECT_EQ(answer.back()["audience"], "asker");
  EXPECT_TRUE(answer.back()["text"].get<std::string>().starts_with("Ahora es el turno de"));
  EXPECT_TRUE(eva.settle().empty());
  EXPECT_EQ(ana.request({{"type", "rename"}, {"character", 1}, {"name", "X"}}).back()["code"],
            "started");
}

TEST(ServerAttacks, AReaderFarBehindIsLetGoAndComesBackWhileTheTablePlaysOn) {
  NetworkSettings settings;
  settings.messages_per_second = 100000;
  settings.queued_bytes = 8 * 1024;
  TestServer server({}, settings);
  ProtocolPerson ana(server.port(), "Ana");
  ASSERT_TRUE(ana.greet());
  ana.request({{"type", "create"}, {"table", "Mesa"}});
  ana.request({{"type", "take"}, {"character", 3}});
  WsClient slow(server.port(), {"/ws", 2048});
  slow.send({{"type", "hello"}, {"version", 1}, {"name", "Lento"}});
  slow.send({{"type", "join"}, {"table", "Mesa"}, {"as", "onlooker"}});
  // Each rename sends everyone the roster and a text: far more than the slow one reads.
  for (int i = 0; i < 3000; ++i) {
    ana.request({{"type", "rename"}, {"character", 3}, {"name", "Nombre " + std::to_string(i)}});
    ASSERT_TRUE(ana.answered()) << "the table stopped at rename " << i;
  }
  std::optional<Json> last;
  std::string token;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (int i = 0; i < 100000 && !slow.ended(Millis(0)) && std::chrono::steady_clock::now() < end;
       ++i)
    if (auto m = slow.next(Millis(2000))) {
      if ((*m)["type"] == "welcome") token = (*m)["token"];
      last = m;
    }
  ASSERT_TRUE(last);
  EXPECT_EQ((*last)["type"], "goodbye");
  EXPECT_EQ((*last)["reason"], "too_slow");
  WsClient back(server.port());
  back.send({{"type", "hello"}, {"version", 1}, {"name", "Lento"}, {"token", token}});
  const auto joined = back.until("joined");
  ASSERT_FALSE(joined.empty());
  EXPECT_EQ(joined.front()["resumed"], true);
  EXPECT_EQ(joined.back()["as"], "onlooker");
}

TEST(ServerAttacks, AConnectionGoneSilentIsPingedAndClosedOneThatAnswersStays) {
  NetworkSettings settings;
  settings.idle = Millis(400);
  TestServer server({}, settings);
  WsClient silent(server.port()), alive(server.port());
  // The live one reads (and so answers pings) for a while; the silent one reads nothing.
  for (int i = 0; i < 10; ++i) alive.next(Millis(100));
  EXPECT_TRUE(alive.connected());
  EXPECT_TRUE(silent.ended(Millis(3000)));
}

}  // namespace
}  // namespace fortuna::testing
