// A table without its network: people at seats hear what a seated game gives each seat, the
// table played again from its events is the same table, the lobby's refusals, and people going
// away and coming back.
#include <gtest/gtest.h>

#include "narration/lobby.h"
#include "rules/invariants.h"
#include "support/seated_keys.h"
#include "support/table_people.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

constexpr PersonId kOnlooker = 100;

// Person i (from 1) holds characters[i - 1]; one onlooker; started by person 1.
struct TestTable {
  explicit TestTable(const std::vector<int>& characters, TimeOfDay time = {10, 20, 30})
      : clock(time), table("Mesa de Ana", clock, outbox, &journal, 120) {
    for (std::size_t i = 0; i < characters.size(); ++i) {
      const auto id = static_cast<PersonId>(i + 1);
      EXPECT_EQ(table.join(id, "Persona " + std::to_string(id), Role::Player), std::nullopt);
      EXPECT_EQ(table.take(id, static_cast<CharacterId>(characters[i])), std::nullopt);
    }
    EXPECT_EQ(table.join(kOnlooker, "Mira", Role::Onlooker), std::nullopt);
  }
  // Keys from a seat, by the person who holds it.
  void press(const std::vector<int>& characters, Seat seat, Key key) {
    const auto at = std::find(characters.begin(), characters.end(), *seat) - characters.begin();
    ASSERT_EQ(table.press(at + 1, key), std::nullopt);
    ASSERT_EQ(check_invariants(*table.game()), "");
  }
  // What a person heard after the start, as (text, wait, audience, seat).
  std::vector<std::string> game_heard(PersonId person) const {
    std::vector<std::string> heard;
    bool started = false;
    for (const sent::Say& say : outbox.says(person)) {
      if (started)
        heard.push_back(*say.text + "|" + std::to_string(static_cast<int>(say.wait)) + "|" +
                        std::to_string(static_cast<int>(say.to.audience)) + "|" +
                        std::to_string(say.to.seat.value_or(-1)));
      started = started || *say.text == game_start("Persona 1");
    }
    return heard;
  }

  FixedClock clock;
  RecordingOutbox outbox;
  RecordingJournal journal;
  Table table;
};

std::vector<std::string> seat_stream(const SpeechLog& log, std::size_t from, Seat seat) {
  std::vector<std::string> heard;
  for (std::size_t e = from; e < log.entries.size(); ++e) {
    const auto& [text, wait, to] = log.entries[e];
    const bool hears = to.audience == Audience::Table ? !to.only || (to.only & listener_bit(seat))
                                                      : seat && to.seat == seat;
    if (hears)
      heard.push_back(text + "|" + std::to_string(static_cast<int>(wait)) + "|" +
                      std::to_string(static_cast<int>(to.audience)) + "|" +
                      std::to_string(to.seat.value_or(-1)));
  }
  return heard;
}

TEST(Table, EachPersonHearsWhatTheirSeatHearsInASeatedGameOnlookersTheTable) {
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    const std::vector<int> people = {1, 4, 8};
    const TimeOfDay time{static_cast<int>(seed % 24), 33, static_cast<int>(seed * 7 % 60)};
    TestTable t(people, time);
    ASSERT_EQ(t.table.start(1), std::nullopt);
    TestProgram program(time);
    for (int c = 0; c < kCharacterCount; ++c) {
      if (std::find(people.begin(), people.end(), c) != people.end()) program.key(keys::kSpace);
      program.key(keys::kRight);
    }
    program.program.use_seats();
    program.key(keys::kEnter);
    const std::size_t start = program.log.entries.size() - 1;  // the first day's aspirants
    Random r(seed);
    for (int k = 0; k < 600 && t.table.game()->phase != Phase::Over; ++k) {
      auto [seat, key] = r.x() < 0.25 ? any_key(people, r) : likely_key(*t.table.game(), people, r);
      if (!seat) seat = people[0];
      ASSERT_NO_FATAL_FAILURE(t.press(people, seat, key));
      program.program.key_down(key, seat);
    }
    for (std::size_t i = 0; i < people.size(); ++i)
      ASSERT_EQ(t.game_heard(static_cast<PersonId>(i + 1)),
                seat_stream(program.log, start, static_cast<CharacterId>(people[i])))
          << "seed " << seed << ", seat " << people[i] + 1;
    ASSERT_EQ(t.game_heard(kOnlooker), seat_stream(program.log, start, std::nullopt));
  }
}

// Every game state that matters: the generator, the day, every hand and choice.
std::string state_of(const Game& game) {
  std::string state = std::to_string(game.random.state()) + " " +
                      std::to_string(static_cast<int>(game.phase)) + " " +
                      std::to_string(game.turn) + " " + std::to_string(game.heir());
  for (const Character& c : game.roster)
    state += "|" + c.name + std::to_string(static_cast<int>(c.player)) + std::to_string(c.alive) +
             std::to_string(c.hand[0]) + "/" + std::to_string(c.hand[1]) +
             std::to_string(c.chosen_slot.value_or(-1)) + std::to_string(c.target.value_or(-1));
  return state;
}

// A session with everything a table records: renames, the start, keys, people going away and
// coming back, the computer standing in, a character given back and taken, someone leaving.
void play_a_session(TestTable& t, const std::vector<int>& people, Random& r) {
  ASSERT_EQ(t.table.rename(2, static_cast<CharacterId>(people[1]), "Doña Ñandú"), std::nullopt);
  ASSERT_EQ(t.table.start(1), std::nullopt);
  for (int k = 0; k < 500 && t.table.game()->phase != Phase::Over; ++k) {
    if (k == 40) t.table.lost(3, Table::Notice::Told);
    if (k == 60) t.table.stand_in(3);
    if (k == 90) t.table.back(3, std::nullopt);
    if (k == 120) {
      ASSERT_EQ(t.table.release(2, static_cast<CharacterId>(people[1])), std::nullopt);
    }
    if (k == 150) {
      ASSERT_EQ(t.table.take(2, static_cast<CharacterId>(people[1])), std::nullopt);
    }
    if (k == 200) t.table.lost(1, Table::Notice::Quiet);
    auto [seat, key] = likely_key(*t.table.game(), people, r);
    if (!seat) seat = people[1];
    // Given back, the character is the computer's for a while.
    if (k >= 120 && k < 150 && seat == people[1]) continue;
    ASSERT_NO_FATAL_FAILURE(t.press(people, seat, key));
  }
  ASSERT_EQ(t.table.leave(kOnlooker), std::nullopt);
  ASSERT_EQ(t.table.join(200, "Tarde", Role::Onlooker), std::nullopt);
}

TEST(Table, PlayedAgainFromItsEventsItIsTheSameTable) {
  for (std::uint64_t seed = 1; seed <= 8; ++seed) {
    const std::vector<int> people = {0, 5, 9};
    TestTable t(people, {static_cast<int>(seed), 12, 34});
    Random r(seed);
    ASSERT_NO_FATAL_FAILURE(play_a_session(t, people, r));
    // Another clock: the times the game read come from the journal.
    FixedClock other({23, 59, 58});
    RecordingOutbox outbox;
    Table again("Mesa de Ana", other, outbox, nullptr, 120);
    again.replay(t.journal.events);
    ASSERT_EQ(state_of(*again.game()), state_of(*t.table.game())) << "seed " << seed;
    ASSERT_EQ(again.people(), t.table.people());
    // Everyone back: the same texts kept, under the same numbers.
    for (PersonId person : t.table.people()) {
      t.table.back(person, 0);
      again.back(person, 0);
      const auto kept = t.outbox.all<sent::Missed>(person).back().texts;
      const auto replayed = outbox.all<sent::Missed>(person).back().texts;
      ASSERT_EQ(kept.size(), replayed.size()) << "seed " << seed << ", person " << person;
      for (std::size_t i = 0; i < kept.size(); ++i) {
        ASSERT_EQ(*kept[i].text, *replayed[i].text);
        ASSERT_EQ(kept[i].n, replayed[i].n);
      }
    }
    // And they play on alike.
    Random same(seed + 100), also(seed + 100);
    const std::size_t said = t.outbox.says(1).size(), said_again = outbox.says(1).size();
    for (int k = 0; k < 100 && t.table.game()->phase != Phase::Over; ++k) {
      auto [seat, key] = likely_key(*t.table.game(), people, same);
      likely_key(*again.game(), people, also);
      if (!seat) seat = people[1];
      const auto at = std::find(people.begin(), people.end(), *seat) - people.begin() + 1;
      ASSERT_EQ(t.table.press(at, key).has_value(), again.press(at, key).has_value());
    }
    const auto live = t.outbox.says(1), replayed = outbox.says(1);
    ASSERT_EQ(live.size() - said, replayed.size() - said_again);
    for (std::size_t i = 0; i < live.size() - said; ++i) {
      ASSERT_EQ(*live[said + i].text, *replayed[said_again + i].text);
      ASSERT_EQ(live[said + i].n, replayed[said_again + i].n);
    }
  }
}

}  // namespace
}  // namespace fortuna::testing
