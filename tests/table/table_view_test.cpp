// What each person may see and press: a label with their own cards and nobody else's, and the
// choices that do something now, named as a page shows them.
#include <gtest/gtest.h>

#include "data/text.h"
#include "narration/rooms.h"
#include "narration/seat_view.h"
#include "run/key_names.h"
#include "support/seated_keys.h"
#include "support/table_people.h"

namespace fortuna::testing {
namespace {

constexpr PersonId kOnlooker = 9;

struct Seated {
  explicit Seated(const std::vector<int>& people, TimeOfDay time)
      : clock(time), table("Mesa", clock, outbox, nullptr, 120) {
    for (std::size_t i = 0; i < people.size(); ++i) {
      const auto id = static_cast<PersonId>(i + 1);
      EXPECT_EQ(table.join(id, "P" + std::to_string(id), Role::Player), std::nullopt);
      EXPECT_EQ(table.take(id, static_cast<CharacterId>(people[i])), std::nullopt);
    }
    EXPECT_EQ(table.join(kOnlooker, "Mira", Role::Onlooker), std::nullopt);
    EXPECT_EQ(table.start(1), std::nullopt);
  }
  FixedClock clock;
  RecordingOutbox outbox;
  Table table;
};

TEST(TableView, ALabelShowsItsSeatsOwnCardsAndNeverAnotherSeatsNorAnOnlookersAny) {
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    const std::vector<int> people = {2, 3, 6, 9};
    Seated s(people, {static_cast<int>(seed % 24), 5, 17});
    Random r(seed);
    for (int k = 0; k < 800 && s.table.game()->phase != Phase::Over; ++k) {
      auto [seat, key] = likely_key(*s.table.game(), people, r);
      if (!seat) seat = people[0];
      const auto at = std::find(people.begin(), people.end(), *seat) - people.begin() + 1;
      ASSERT_EQ(s.table.press(at, key), std::nullopt);
      const Game& game = *s.table.game();
      for (std::size_t i = 0; i <= people.size(); ++i) {
        const PersonId person = i < people.size() ? static_cast<PersonId>(i + 1) : kOnlooker;
        const auto labels = s.outbox.all<sent::Label>(person);
        ASSERT_FALSE(labels.empty());
        const std::string& label = labels.back().text;
        for (std::size_t j = 0; j < people.size(); ++j) {
          const Character& other = game.at(static_cast<CharacterId>(people[j]));
          if (j == i || !other.alive) continue;
          for (CardId id : other.hand) {
            if (id == kNoCard) continue;
            const std::string shown = first_chars(card(id).text, 30);
            const Character* own =
                i < people.size() ? &game.at(static_cast<CharacterId>(people[i])) : nullptr;
            bool shared = false;
            for (CardId mine : own ? own->hand : Hand{kNoCard, kNoCard})
              shared = shared || (mine != kNoCard && first_chars(card(mine).text, 30) == shown);
            if (!shared) {
              ASSERT_EQ(label.find(shown), std::string::npos)
                  << "seed " << seed << ": " << person << " sees seat " << people[j] + 1;
            }
          }
        }
      }
    }
  }
}

TEST(TableView, ChoicesNameTheKeysThatDoSomethingNowAndOnlyThose) {
  for (std::uint64_t seed = 1; seed <= 15; ++seed) {
    const std::vector<int> people = {0, 1, 7};
    Seated s(people, {static_cast<int>(seed % 24), 44, 3});
    Random r(seed);
    for (int k = 0; k < 300 && s.table.game()->phase != Phase::Over; ++k) {
      EXPECT_TRUE(s.outbox.all<sent::Choices>(kOnlooker).back().choices.empty());
      // Each choice of each seat, tried on a copy-free basis: pressed by its seat, it must be
      // neither refused with a beep nor answered with whose turn it is.
      const PersonId person = r.draw(static_cast<int>(people.size()));
      const auto choices = s.outbox.all<sent::Choices>(person).back().choices;
      const auto on_turn_now = on_turn(*s.table.game());
      if (on_turn_now == people[person - 1] && s.table.game()->phase == Phase::Rooms) {
        ASSERT_GE(choices.size(), 2u);
        EXPECT_EQ(choices.front().name, "1. " + std::string(room_name(room_at(0))));
      }
      if (choices.empty()) {
        ASSERT_EQ(s.table.press(person, {keys::kH, {}}), std::nullopt);
        continue;
      }
      const Choice choice = choices[static_cast<std::size_t>(r.draw(choices.size()) - 1)];
      EXPECT_FALSE(choice.name.empty()) << key_name(choice.key);
      const std::size_t beeps = s.outbox.all<sent::Beep>(person).size();
      const std::size_t said = s.outbox.says(person).size();
      ASSERT_EQ(s.table.press(person, choice.key), std::nullopt);
      EXPECT_EQ(s.outbox.all<sent::Beep>(person).size(), beeps) << choice.name;
      const auto says = s.outbox.says(person);
      ASSERT_GT(says.size(), said) << choice.name;
      EXPECT_FALSE(says[said].text->starts_with("Ahora es el turno de")) << choice.name;
    }
  }
}

}  // namespace
}  // namespace fortuna::testing
