// People cut off at random come back with their tokens to everything they missed while every
// table plays on; a server killed mid-game and started again on its journal gives every seat the
// stream it would have heard had it never stopped, and one stopped with SIGTERM says goodbye.
#include <gtest/gtest.h>
#include <signal.h>

#include <regex>

#include "narration/lobby.h"
#include "run/key_names.h"
#include "support/game_process.h"
#include "support/run_fortuna.h"
#include "support/server_games.h"
#include "support/test_server.h"

namespace fortuna::testing {
namespace {

std::vector<std::string> texts_of(const std::vector<std::string>& stream) {
  std::vector<std::string> texts;
  for (const std::string& line : stream) texts.push_back(line.substr(0, line.find('|')));
  return texts;
}

// What a person heard, by number, from the game's start on, with the table's news of people
// going away and coming back left out; and whether no number is missing.
std::vector<std::string> game_texts(const ProtocolPerson& person,
                                    const std::vector<std::string>& news, bool& whole) {
  std::vector<std::string> texts;
  bool game = false;
  int expected = 1;
  whole = true;
  for (const auto& [n, text] : person.texts()) {
    whole = whole && n == expected++;
    if (game && std::find(news.begin(), news.end(), text) == news.end()) texts.push_back(text);
    game = game || text == game_start("Persona 1");
  }
  return texts;
}

std::vector<std::string> expected_streams(const SeatedGame& game, std::size_t person) {
  static std::map<std::string, std::vector<Json>> transcripts;
  const std::string script = script_of(game);
  if (!transcripts.count(script))
    transcripts[script] = run_fortuna(script, {"--clock", clock_text(game.clock)}).events;
  return texts_of(transcript_stream(transcripts[script],
                                    person < game.seats.size() ? game.seats[person] + 1 : 0));
}

TEST(ServerChaos, PeopleCutOffAtRandomComeBackToAllTheyMissedAndEveryTablePlaysOn) {
  const TimeOfDay clock{18, 30, 15};
  TestServer server({}, quick(), {}, clock);
  std::vector<SeatedGame> games;
  std::vector<std::vector<std::unique_ptr<ProtocolPerson>>> tables;
  for (std::uint64_t t = 0; t < 3; ++t) {
    games.push_back(make_game(40 + t, {static_cast<int>(t), 4, 7}, 200, clock));
    tables.push_back(seat_everyone(server.port(), games.back(), "Mesa " + std::to_string(t)));
  }
  // The news of people going away and back, the first seat by the name it was given.
  std::vector<std::string> news;
  Random unseeded;
  const Roster roster = initial_roster(unseeded);
  for (const SeatedGame& game : games)
    for (std::size_t s = 0; s < game.seats.size(); ++s) {
      const std::string person = "Persona " + std::to_string(s + 1);
      news.push_back(return_of(person));
      news.push_back(absence(
          person, s == 0 ? game.rename : roster[static_cast<std::size_t>(game.seats[s])].name,
          120));
    }
  Random r(77);
  std::vector<std::size_t> next(games.size());
  for (bool more = true; more;) {
    more = false;
    for (std::size_t t = 0; t < games.size(); ++t) {
      if (next[t] == games[t].keys.size()) continue;
      more = true;
      const auto& [seat, key] = games[t].keys[next[t]++];
      const auto at = static_cast<std::size_t>(
          std::find(games[t].seats.begin(), games[t].seats.end(), seat) - games[t].seats.begin());
      // Whoever was cut off comes back before the table's next key, as a client does at once.
      for (auto& someone : tables[t]) {
        if (!someone->connected()) {
          ASSERT_TRUE(someone->come_back());
        }
      }
      ProtocolPerson& person = *tables[t][at];
      person.press(key_name(key));
      ASSERT_TRUE(person.answered()) << "table " << t << " stuck at key " << next[t];
      if (r.x() < 0.12) tables[t][static_cast<std::size_t>(r.draw(4) - 1)]->drop();
    }
  }
  for (std::size_t t = 0; t < games.size(); ++t)
    for (std::size_t p = 0; p < tables[t].size(); ++p) {
      ProtocolPerson& person = *tables[t][p];
      if (!person.connected()) {
        ASSERT_TRUE(person.come_back());
      }
      person.settle();
      bool whole = false;
      EXPECT_EQ(game_texts(person, news, whole), expected_streams(games[t], p))
          << "table " << t << ", person " << p + 1;
      EXPECT_TRUE(whole) << "table " << t << ", person " << p + 1;
    }
}

bool comes_to_hear(ProtocolPerson& person, const std::string& text) {
  return eventually([&] {
    person.settle();
    for (const auto& [n, said] : person.texts())
      if (said == text) return true;
    return false;
  });
}

TEST(ServerAway, APersonAwayIsStoodInForAfterTheGraceAndATableNobodyAttendsIsClosed) {
  HallSettings hall;
  hall.grace = std::chrono::milliseconds(300);
  hall.unattended = std::chrono::milliseconds(600);
  TestServer server(hall, quick());
  const SeatedGame game = make_game(9, {0, 3}, 0);
  auto people = seat_everyone(server.port(), game);
  people[1]->press("Space");
  people[0]->drop();
  ASSERT_TRUE(comes_to_hear(*people[1], absence("Persona 1", game.rename, 1)));
  ASSERT_TRUE(comes_to_hear(*people[2], standing_in("Persona 1", game.rename)));
  // The computer answered for the seat; back, its person holds it again.
  ASSERT_TRUE(people[0]->come_back());
  ASSERT_TRUE(comes_to_hear(*people[1], return_of("Persona 1")));
  people[0]->settle();
  const auto& back = people[0]->log();
  EXPECT_TRUE(std::any_of(back.begin(), back.end(), [](const Json& m) {
    return m["type"] == "say" && !m.contains("n") &&
           m["text"].get<std::string>().starts_with("Está de vuelta en la mesa Mesa.");
  }));
  for (auto& person : people) person->drop();
  WsClient look(server.port());
  look.send({{"type", "hello"}, {"version", 1}, {"name", "Eva"}});
  ASSERT_FALSE(look.until("welcome").empty());
  EXPECT_TRUE(eventually([&] {
    look.send({{"type", "list"}});
    const auto tables = look.until("tables");
    return !tables.empty() && tables.back()["tables"].empty();
  }));
  // Its people were let go with it: their tokens lead nowhere.
  WsClient again(server.port());
  again.send(
      {{"type", "hello"}, {"version", 1}, {"name", "Persona 1"}, {"token", people[0]->token()}});
  const auto unknown = again.until("error");
  ASSERT_FALSE(unknown.empty());
  EXPECT_EQ(unknown.back()["code"], "unknown_token");
}

// The server as a program of its own, on a free port it says on standard output.
struct ServerProcess {
  ServerProcess(const std::filesystem::path& data, TimeOfDay clock)
      : process({FORTUNA_BINARY, "servidor", "--puerto", "0", "--datos", data.string(), "--reloj",
                 clock_text(clock), "--mensajes-por-segundo", "100000"}) {
    const std::regex listening("http://127\\.0\\.0\\.1:([0-9]+)/");
    std::smatch found;
    eventually([&] {
      const std::string out = process.out();
      if (!std::regex_search(out, found, listening)) return false;
      port = static_cast<unsigned short>(std::stoi(found[1]));
      return true;
    });
  }
  GameProcess process;
  unsigned short port = 0;
};

TEST(ServerRestart, KilledOrStoppedAndStartedAgainEveryoneHearsAsIfItHadNeverStopped) {
  const SeatedGame game = make_game(21, {2, 5, 9}, 300);
  const auto data = scratch_dir();
  auto server = std::make_unique<ServerProcess>(data, game.clock);
  ASSERT_NE(server->port, 0) << server->process.err();
  auto people = seat_everyone(server->port, game);
  const std::size_t third = game.keys.size() / 3;
  for (std::size_t k = 0; k < game.keys.size(); ++k) {
    if (k == third || k == 2 * third) {
      for (auto& person : people) person->settle();
      // First killed where it stands, then stopped as SIGTERM stops it.
      kill(server->process.pid(), k == third ? SIGKILL : SIGTERM);
      if (k == 2 * third)
        for (auto& person : people) {
          const auto last = person->client().until("goodbye");
          ASSERT_FALSE(last.empty());
          EXPECT_EQ(last.back()["reason"], "server_stopping");
          EXPECT_TRUE(person->client().ended());
        }
      EXPECT_EQ(server->process.wait_exit(), k == third ? 128 + SIGKILL : 0)
          << server->process.err();
      server = std::make_unique<ServerProcess>(data, game.clock);
      ASSERT_NE(server->port, 0) << server->process.err();
      for (auto& person : people) {
        person->move_to(server->port);
        ASSERT_TRUE(person->come_back());
      }
    }
    const auto& [seat, key] = game.keys[k];
    const auto at = std::find(game.seats.begin(), game.seats.end(), seat) - game.seats.begin();
    people[static_cast<std::size_t>(at)]->press(key_name(key));
    ASSERT_TRUE(people[static_cast<std::size_t>(at)]->answered()) << "key " << k;
  }
  for (std::size_t p = 0; p < people.size(); ++p) {
    people[p]->settle();
    bool whole = false;
    EXPECT_EQ(game_texts(*people[p], {}, whole), expected_streams(game, p)) << "person " << p + 1;
    EXPECT_TRUE(whole) << "person " << p + 1;
  }
}

}  // namespace
}  // namespace fortuna::testing
