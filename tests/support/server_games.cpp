#include "support/server_games.h"

#include <gtest/gtest.h>

#include <sstream>

#include "run/key_names.h"
#include "support/seated_keys.h"
#include "support/test_program.h"

namespace fortuna::testing {

std::string clock_text(TimeOfDay t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

SeatedGame make_game(std::uint64_t seed, std::vector<int> seats, int most_keys,
                     std::optional<TimeOfDay> clock) {
  const TimeOfDay own{static_cast<int>(seed % 24), static_cast<int>(seed * 13 % 60), 27};
  SeatedGame game{clock.value_or(own), std::move(seats), {}};
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

namespace {
const char* wait_name(bool before, bool after) {
  return before ? (after ? "both" : "before") : (after ? "after" : "none");
}

}  // namespace

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

std::vector<std::unique_ptr<ProtocolPerson>> seat_everyone(unsigned short port,
                                                           const SeatedGame& game,
                                                           const std::string& table) {
  std::vector<std::unique_ptr<ProtocolPerson>> people;
  for (std::size_t i = 0; i <= game.seats.size(); ++i) {
    people.push_back(std::make_unique<ProtocolPerson>(port, "Persona " + std::to_string(i + 1)));
    EXPECT_TRUE(people.back()->greet());
    const bool onlooker = i == game.seats.size();
    if (i == 0)
      people[0]->request({{"type", "create"}, {"table", table}});
    else
      people[i]->request(
          {{"type", "join"}, {"table", table}, {"as", onlooker ? "onlooker" : "player"}});
    if (!onlooker) people[i]->request({{"type", "take"}, {"character", game.seats[i] + 1}});
  }
  people[0]->request({{"type", "rename"}, {"character", game.seats[0] + 1}, {"name", game.rename}});
  people[0]->request({{"type", "start"}});
  return people;
}

NetworkSettings quick() {
  NetworkSettings settings;
  settings.messages_per_second = 100000;
  return settings;
}

}  // namespace fortuna::testing
