// Seated games: each person at their own seat hears what is theirs. Random sessions check that
// nothing private reaches the table or another seat, that seats and one keyboard hear the same
// game, that a seat out of turn changes nothing, and that the computer can stand in for a seat.
#include <gtest/gtest.h>

#include <sstream>

#include "narration/rooms.h"
#include "rules/day.h"
#include "rules/invariants.h"
#include "support/seated_keys.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

// A game at the table, its people chosen on the start screen; seated or at one keyboard.
struct Table : TestProgram {
  Table(std::vector<int> people, bool seated, TimeOfDay time = {10, 20, 30}) : TestProgram(time) {
    for (int c = 0; c < kCharacterCount; ++c) {
      if (std::find(people.begin(), people.end(), c) != people.end()) key(keys::kSpace);
      key(keys::kRight);
    }
    if (seated) program.use_seats();
    key(keys::kEnter);
    said_before_game = log.entries.size();
  }
  void press(Seat seat, Key key) {
    program.key_down(key, seat);
    ASSERT_EQ(check_invariants(game()), "");
  }
  std::size_t said_before_game = 0;
};

// Everything that makes one game state another: the generator, the day and every choice.
std::string state_of(const Game& game) {
  std::ostringstream out;
  out << game.random.state() << ' ' << static_cast<int>(game.phase) << ' ' << game.turn << ' '
      << game.heir() << ' ' << game.rooms.open_count << ' ' << ':';
  for (CardId id : game.pile.positions()) out << id << ',';
  for (int i = 0; i < game.turns.size(); ++i) out << game.turns[i] << ',';
  for (const Character& c : game.roster)
    out << '|' << static_cast<int>(c.player) << c.alive << (c.room ? index_of(*c.room) : -1)
        << c.hand[0] << '/' << c.hand[1] << (c.chosen_slot ? *c.chosen_slot : -1) << c.discard
        << (c.target ? *c.target : -1);
  return out.str();
}

bool heard_by(const Address& to, CharacterId seat) {
  if (to.audience != Audience::Table) return to.seat == seat;
  return !to.only || (to.only & listener_bit(seat));
}

TEST(Seats, NoHandNorChosenTargetReachesTheTableOrAnotherSeatBeforeTheNight) {
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    Random r(seed);
    const std::vector<int> people = {0, 3, 5, 8};
    Table t(people, true, {static_cast<int>(seed % 24), 7, static_cast<int>(seed % 60)});
    for (int k = 0; k < 1500 && t.game().phase != Phase::Over; ++k) {
      const auto [seat, key] = r.x() < 0.3 ? any_key(people, r) : likely_key(t.game(), people, r);
      const std::size_t from = t.log.entries.size();
      ASSERT_NO_FATAL_FAILURE(t.press(seat, key));
      if (t.game().phase == Phase::DayStart || t.game().phase == Phase::Over) continue;
      for (std::size_t e = from; e < t.log.entries.size(); ++e) {
        const auto& [text, wait, to] = t.log.entries[e];
        // The keyboard, which plays for whoever is on turn, is answered for itself alone.
        if (to.audience == Audience::Asker && !to.seat) continue;
        // A seat may hear its own cards, whose names others' cards may share.
        std::vector<std::string_view> own;
        if (to.audience != Audience::Table && to.seat)
          for (CardId id : t.game().at(*to.seat).hand)
            for (CardNames names : {CardNames::Long, CardNames::Short})
              if (id != kNoCard) own.push_back(card_name(id, names));
        for (int owner : people) {
          if (heard_by(to, owner) && to.audience != Audience::Table) continue;
          const Character& hand = t.game().at(owner);
          for (CardId id : hand.hand) {
            if (id == kNoCard) continue;
            for (CardNames names : {CardNames::Long, CardNames::Short}) {
              if (std::find(own.begin(), own.end(), card_name(id, names)) != own.end()) continue;
              ASSERT_EQ(text.find(card_name(id, names)), std::string::npos)
                  << "seed " << seed << ": seat " << owner + 1 << "'s card heard by others in \""
                  << text << "\"";
            }
          }
        }
      }
    }
  }
}

// Two sessions that differ only in the target one person chooses: until the night everyone
// else hears the same.
TEST(Seats, WhomAPersonAimsAtIsTheirsUntilTheNight) {
  int compared = 0;
  for (std::uint64_t seed = 1; seed <= 30 && compared < 8; ++seed) {
    std::vector<std::vector<std::string>> heard(2);
    std::optional<CharacterId> chooser;
    for (int variant = 0; variant < 2; ++variant) {
      Random r(seed);
      const std::vector<int> people = {1, 2, 6};
      Table t(people, true, {static_cast<int>(seed % 24), 40, 13});
      bool chosen = false;
      for (int k = 0; k < 400 && t.game().phase != Phase::Over; ++k) {
        auto [seat, key] = likely_key(t.game(), people, r);
        if (!chosen && t.game().phase == Phase::Target && t.game().offered_targets.size() >= 2) {
          key = Key{keys::k1 + variant, {}};
          chosen = true;
          chooser = seat;
        }
        const std::size_t from = t.log.entries.size();
        const bool night = chosen && t.game().phase == Phase::Cards && !on_turn(t.game()) &&
                           key.code == keys::kSpace;
        if (night) break;
        ASSERT_NO_FATAL_FAILURE(t.press(seat, key));
        for (std::size_t e = from; chosen && e < t.log.entries.size(); ++e)
          if (!heard_by(t.log.entries[e].to, *chooser) ||
              t.log.entries[e].to.audience == Audience::Table)
            heard[variant].push_back(t.log.entries[e].text);
      }
      if (!chosen) break;
    }
    if (!chooser) continue;
    ++compared;
    EXPECT_EQ(heard[0], heard[1]) << "seed " << seed;
  }
  EXPECT_GE(compared, 3);
}

bool only_with_seats(const SpeechLog::Entry& entry) {
  return entry.text.starts_with("Turno de ") || entry.text.starts_with("Ahora es el turno de ");
}

TEST(Seats, TheTableAndEverySeatTogetherHearWhatOneKeyboardHears) {
  for (std::uint64_t seed = 1; seed <= 25; ++seed) {
    const std::vector<int> people = {2, 4, 7};
    std::vector<std::pair<Seat, Key>> keys;
    Random r(seed);
    Table seated(people, true);
    for (int k = 0; k < 2000 && seated.game().phase != Phase::Over; ++k) {
      auto next = likely_key(seated.game(), people, r);
      // Questions from the seat on turn are the keyboard's too.
      if (r.x() < 0.15 && on_turn(seated.game()))
        next.second = {(r.x() < 0.5 ? keys::kC : keys::kH), {}};
      keys.push_back(next);
      ASSERT_NO_FATAL_FAILURE(seated.press(next.first, next.second));
    }
    Table keyboard(people, false);
    for (const auto& [seat, key] : keys) ASSERT_NO_FATAL_FAILURE(keyboard.press(Seat(), key));

    std::vector<std::pair<std::string, Wait>> merged, one;
    for (const auto& entry : seated.log.entries)
      if (!only_with_seats(entry)) merged.emplace_back(entry.text, entry.wait);
    for (const auto& entry : keyboard.log.entries) one.emplace_back(entry.text, entry.wait);
    ASSERT_EQ(merged, one) << "seed " << seed;
  }
}

TEST(Seats, KeysOutOfTurnAndQuestionsChangeNothing) {
  for (std::uint64_t seed = 1; seed <= 30; ++seed) {
    Random r(seed);
    const std::vector<int> people = {0, 1, 9};
    Table t(people, true, {3, static_cast<int>(seed), 5});
    for (int k = 0; k < 1500 && t.game().phase != Phase::Over; ++k) {
      const auto person = on_turn(t.game());
      if (person && r.x() < 0.5) {
        // A choice from someone else, or a question from anyone.
        auto [seat, key] = any_key(people, r);
        const bool question = key.code == keys::kC || key.code == keys::kP ||
                              key.code == keys::kH || key.code >= keys::kF1;
        if (!question && (!seat || *seat == *person)) continue;
        const std::string before = state_of(t.game());
        ASSERT_NO_FATAL_FAILURE(t.press(seat, key));
        ASSERT_EQ(state_of(t.game()), before) << "seed " << seed << ", key " << key.code;
        continue;
      }
      const auto [seat, key] = likely_key(t.game(), people, r);
      ASSERT_NO_FATAL_FAILURE(t.press(seat, key));
    }
  }
}

// A seat whose person leaves is played by the computer exactly as a computer character is.
TEST(Seats, TheComputerStandsInForASeatAsForItsOwnAndGivesItBack) {
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    const TimeOfDay time{static_cast<int>(seed % 24), 11, 9};
    Table own({0, 4}, true, time);          // 6 is the computer's from the start
    Table stand_in({0, 4, 6}, true, time);  // 6 is a person's, who leaves at once
    stand_in.program.game_screen().set_player(6, Player::Computer);
    Random r(seed), same(seed);
    for (int k = 0; k < 800 && own.game().phase != Phase::Over; ++k) {
      const auto [seat, key] = likely_key(own.game(), {0, 4}, r);
      likely_key(stand_in.game(), {0, 4}, same);
      ASSERT_NO_FATAL_FAILURE(own.press(seat, key));
      ASSERT_NO_FATAL_FAILURE(stand_in.press(seat, key));
      ASSERT_EQ(state_of(stand_in.game()), state_of(own.game())) << "seed " << seed << " key " << k;
    }
  }
  // Leaving while the game waits: the computer answers at once and the day goes on; back the
  // next day, the person is asked again.
  const std::vector<int> everyone = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  Table t(everyone, true);
  Random r(3);
  t.press(Seat(0), {keys::kSpace, {}});
  const CharacterId first = *on_turn(t.game());
  t.program.game_screen().set_player(first, Player::Computer);
  ASSERT_TRUE(t.game().at(first).room);
  ASSERT_NE(on_turn(t.game()), first);
  t.program.game_screen().set_player(first, Player::Person);
  for (int k = 0; k < 200 && t.game().phase != Phase::DayStart; ++k) {
    const auto [seat, key] = likely_key(t.game(), everyone, r);
    ASSERT_NO_FATAL_FAILURE(t.press(seat, key));
  }
  ASSERT_EQ(t.game().phase, Phase::DayStart);
  if (!t.game().at(first).alive) return;
  const std::size_t from = t.log.entries.size();
  for (int k = 0; k < 200 && t.game().phase != Phase::Cards; ++k) {
    const auto [seat, key] = likely_key(t.game(), everyone, r);
    ASSERT_NO_FATAL_FAILURE(t.press(seat, key));
  }
  bool asked = false;
  for (std::size_t e = from; e < t.log.entries.size(); ++e)
    asked = asked ||
            (t.log.entries[e].to.audience == Audience::Seat && t.log.entries[e].to.seat == first);
  EXPECT_TRUE(asked);
}

}  // namespace
}  // namespace fortuna::testing
