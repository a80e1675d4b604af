// Whole games over the network: each person at the server hears, text for text, what the seated
// headless game gives their seat for the same clock and keys, and nothing of anyone else's hand
// reaches a person before the night.
#include <gtest/gtest.h>

#include <sstream>

#include "data/text.h"
#include "narration/lobby.h"
#include "narration/rooms.h"
#include "run/key_names.h"
#include "support/protocol_person.h"
#include "support/run_fortuna.h"
#include "support/seated_keys.h"
#include "support/test_program.h"
#include "support/test_server.h"

namespace fortuna::testing {
namespace {

struct SeatedGame {
  TimeOfDay clock;
  std::vector<int> seats;                 // characters, 0 to 9
  std::vector<std::pair<int, Key>> keys;  // from which character
  // The first seat's new name, given on the start screen or by a request.
  std::string rename = "Doña Ñandú";
};

std::string clock_text(TimeOfDay t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

// Keys people at seats would press, found by playing them on a seated game here.
SeatedGame make_game(std::uint64_t seed, std::vector<int> seats, int most_keys) {
  SeatedGame game{
      {static_cast<int>(seed % 24), static_cast<int>(seed * 13 % 60), 27}, std::move(seats), {}};
  TestProgram program(game.clock);
  for (int c = 0; c < kCharacterCount; ++c) {
    if (std::find(game.seats.begin(), game.seats.end(), c) != game.seats.end())
      program.key(keys::kSpace);
    program.key(keys::kRight);
  }
  program.program.use_seats();
  program.key(keys::kEnter);
  Random r(seed);
  for (int k = 0; k < most_keys && program.game().phase != Phase::Over; ++k) {
    auto [seat, key] =
        r.x() < 0.2 ? any_key(game.seats, r) : likely_key(program.game(), game.seats, r);
    if (!seat) seat = game.seats[0];
    game.keys.emplace_back(*seat, key);
    program.program.key_down(key, seat);
  }
  return game;
}

std::string script_of(const SeatedGame& game) {
  std::ostringstream script;
  for (int c = 0; c < kCharacterCount; ++c) {
    if (std::find(game.seats.begin(), game.seats.end(), c) != game.seats.end()) script << "Space\n";
    if (c == game.seats[0]) script << "F2\ntext: " << game.rename << "\n";
    script << "Right\n";
  }
  script << "Enter\n";
  for (const auto& [seat, key] : game.keys) script << seat + 1 << ": " << key_name(key) << "\n";
  return script.str();
}

const char* wait_name(bool before, bool after) {
  return before ? (after ? "both" : "before") : (after ? "after" : "none");
}

// A seat's stream in a transcript (0: an onlooker's), from the game's window on.
std::vector<std::string> transcript_stream(const std::vector<Json>& events, int seat) {
  std::vector<std::string> stream;
  bool game = false;
  for (const Json& e : events) {
    game = game || (e["event"] == "show" && e["window"] == "main");
    if (!game || e["event"] != "speak") continue;
    const bool table = e["audience"] == "table";
    const bool heard = table ? !e.contains("only") || std::find(e["only"].begin(), e["only"].end(),
                                                                seat) != e["only"].end()
                             : e.value("seat", -1) == seat;
    if (heard)
      stream.push_back(e["text"].get<std::string>() + "|" +
                       wait_name(e["wait_before"], e["wait_after"]) + "|" +
                       e["audience"].get<std::string>() + "|" + std::to_string(e.value("seat", 0)));
  }
  return stream;
}

// What a person heard from the start of the game on, in the same form.
std::vector<std::string> server_stream(const ProtocolPerson& person, const std::string& start) {
  std::vector<std::string> stream;
  bool game = false;
  for (const Json& m : person.log()) {
    if (m["type"] != "say") continue;
    if (game)
      stream.push_back(m["text"].get<std::string>() + "|" + m["wait"].get<std::string>() + "|" +
                       m["audience"].get<std::string>() + "|" + std::to_string(m.value("seat", 0)));
    game = game || m["text"] == start;
  }
  return stream;
}

// Everyone seated at one table, its creator first; an onlooker last.
std::vector<std::unique_ptr<ProtocolPerson>> seat_everyone(unsigned short port,
                                                           const SeatedGame& game) {
  std::vector<std::unique_ptr<ProtocolPerson>> people;
  for (std::size_t i = 0; i <= game.seats.size(); ++i) {
    people.push_back(std::make_unique<ProtocolPerson>(port, "Persona " + std::to_string(i + 1)));
    EXPECT_TRUE(people.back()->greet());
    const bool onlooker = i == game.seats.size();
    if (i == 0)
      people[0]->request({{"type", "create"}, {"table", "Mesa"}});
    else
      people[i]->request(
          {{"type", "join"}, {"table", "Mesa"}, {"as", onlooker ? "onlooker" : "player"}});
    if (!onlooker) people[i]->request({{"type", "take"}, {"character", game.seats[i] + 1}});
  }
  people[0]->request({{"type", "rename"}, {"character", game.seats[0] + 1}, {"name", game.rename}});
  people[0]->request({{"type", "start"}});
  return people;
}

// Tests press keys far faster than people do.
NetworkSettings quick() {
  NetworkSettings settings;
  settings.messages_per_second = 100000;
  return settings;
}

TEST(ServerGame, EachPersonHearsWhatTheSeatedHeadlessGameGivesTheirSeat) {
  for (std::uint64_t seed : {3, 8}) {
    const SeatedGame game = make_game(seed, {0, 4, 6}, 400);
    const RunResult headless = run_fortuna(script_of(game), {"--clock", clock_text(game.clock)});
    ASSERT_EQ(headless.exit_code, 0) << headless.err;
    TestServer server({}, quick(), {}, game.clock);
    auto people = seat_everyone(server.port(), game);
    for (const auto& [seat, key] : game.keys) {
      const auto at = std::find(game.seats.begin(), game.seats.end(), seat) - game.seats.begin();
      people[static_cast<std::size_t>(at)]->press(key_name(key));
    }
    for (auto& person : people) person->settle();
    const std::string start = game_start("Persona 1");
    for (std::size_t i = 0; i < game.seats.size(); ++i)
      EXPECT_EQ(server_stream(*people[i], start),
                transcript_stream(headless.events, game.seats[i] + 1))
          << "seed " << seed << ", seat " << game.seats[i] + 1;
    const auto onlooker = server_stream(*people.back(), start);
    EXPECT_EQ(onlooker, transcript_stream(headless.events, 0));
    EXPECT_TRUE(std::any_of(onlooker.begin(), onlooker.end(), [&](const std::string& text) {
      return text.find(game.rename) != std::string::npos;
    }));
  }
}

// The names a hand's cards go by, long and short.
std::vector<std::string> card_names(const Character& character) {
  std::vector<std::string> names;
  for (CardId id : character.hand)
    if (id != kNoCard)
      for (CardNames kind : {CardNames::Long, CardNames::Short})
        names.emplace_back(card_name(id, kind));
  return names;
}

// What a person may not be told: at the table, anyone's cards; at their seat, others' cards
// unless they hold one of the same name.
void expect_nothing_of_others(const Game& game, const std::vector<int>& seats,
                              std::optional<int> own, const Json& message) {
  const bool label = message["type"] == "label";
  if (!label && message["type"] != "say") return;
  const bool table = !label && message["audience"] == "table";
  const auto mine =
      own ? card_names(game.at(static_cast<CharacterId>(*own))) : std::vector<std::string>{};
  const std::string text = message["text"];
  for (int seat : seats) {
    if (seat == own && !table) continue;
    for (const std::string& name : card_names(game.at(static_cast<CharacterId>(seat)))) {
      if (!table && std::find(mine.begin(), mine.end(), name) != mine.end()) continue;
      // Labels show the first fifty characters of a card.
      const std::string shown = label ? first_chars(name, 50) : name;
      ASSERT_EQ(text.find(shown), std::string::npos)
          << "seat " << seat + 1 << "'s card told to " << (own ? *own + 1 : 0) << ": " << text;
    }
  }
}

TEST(ServerGame, NothingOfAHandReachesTheTableOrAnotherSeatBeforeTheNight) {
  for (std::uint64_t seed : {5, 11}) {
    const SeatedGame game = make_game(seed, {1, 3, 8}, 250);
    TestServer server({}, quick(), {}, game.clock);
    auto people = seat_everyone(server.port(), game);
    TestProgram mirror(game.clock);
    for (int c = 0; c < kCharacterCount; ++c) {
      if (std::find(game.seats.begin(), game.seats.end(), c) != game.seats.end())
        mirror.key(keys::kSpace);
      mirror.key(keys::kRight);
    }
    mirror.program.use_seats();
    mirror.key(keys::kEnter);
    std::vector<std::size_t> seen(people.size());
    for (const auto& [seat, key] : game.keys) {
      const auto at = std::find(game.seats.begin(), game.seats.end(), seat) - game.seats.begin();
      people[static_cast<std::size_t>(at)]->press(key_name(key));
      mirror.program.key_down(key, static_cast<CharacterId>(seat));
      const Phase phase = mirror.game().phase;
      for (std::size_t p = 0; p < people.size(); ++p) {
        people[p]->settle();
        const auto& log = people[p]->log();
        const std::optional<int> own =
            p < game.seats.size() ? std::optional(game.seats[p]) : std::nullopt;
        for (std::size_t m = seen[p];
             phase != Phase::DayStart && phase != Phase::Over && m < log.size(); ++m)
          ASSERT_NO_FATAL_FAILURE(expect_nothing_of_others(mirror.game(), game.seats, own, log[m]))
              << "seed " << seed;
        seen[p] = log.size();
      }
    }
  }
}

}  // namespace
}  // namespace fortuna::testing
