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
#include "support/server_games.h"
#include "support/test_program.h"
#include "support/test_server.h"

namespace fortuna::testing {
namespace {

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

// What a person holding own (-1: none) may not be told: at the table, anyone's cards; at their
// seat, others' cards unless they hold one of the same name.
void expect_nothing_of_others(const Game& game, const std::vector<int>& seats, int own,
                              const Json& message) {
  const bool label = message["type"] == "label";
  if (!label && message["type"] != "say") return;
  const bool table = !label && message["audience"] == "table";
  std::vector<std::string> mine;
  if (own >= 0) mine = card_names(game.at(static_cast<CharacterId>(own)));
  const std::string text = message["text"];
  for (int seat : seats) {
    if (seat == own && !table) continue;
    for (const std::string& name : card_names(game.at(static_cast<CharacterId>(seat)))) {
      if (!table && std::find(mine.begin(), mine.end(), name) != mine.end()) continue;
      // Labels show the first fifty characters of a card.
      const std::string shown = label ? first_chars(name, 50) : name;
      ASSERT_EQ(text.find(shown), std::string::npos)
          << "seat " << seat + 1 << "'s card told to " << own + 1 << ": " << text;
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
        // An onlooker holds none.
        const int own = p < game.seats.size() ? game.seats[p] : -1;
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
