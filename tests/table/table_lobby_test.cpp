// The people at a table before and during the game: what they may not do and why, what the table
// hears of them, and someone going away, being stood in for and coming back.
#include <gtest/gtest.h>

#include "narration/lobby.h"
#include "support/table_people.h"

namespace fortuna::testing {
namespace {

struct Lobby {
  Lobby() : clock({10, 20, 30}), table("Mesa", clock, outbox, &journal, 120) {}
  Refusal refusal(const Answer& answer) { return answer ? answer->refusal : Refusal::HelloFirst; }
  std::vector<std::string> texts(PersonId person) const {
    std::vector<std::string> texts;
    for (const sent::Say& say : outbox.says(person)) texts.push_back(*say.text);
    return texts;
  }
  FixedClock clock;
  RecordingOutbox outbox;
  RecordingJournal journal;
  Table table;
};

TEST(TableLobby, RefusesWhatIsNotAPersonsToDoAndChangesNothing) {
  Lobby l;
  ASSERT_EQ(l.table.join(1, "Ana", Role::Player), std::nullopt);
  ASSERT_EQ(l.table.join(2, "Luis", Role::Player), std::nullopt);
  ASSERT_EQ(l.table.join(3, "Eva", Role::Onlooker), std::nullopt);
  EXPECT_EQ(l.refusal(l.table.join(1, "Ana", Role::Player)), Refusal::AlreadyAtTable);
  EXPECT_EQ(l.refusal(l.table.start(1)), Refusal::NobodyPlays);
  EXPECT_EQ(l.refusal(l.table.take(3, 0)), Refusal::Onlooker);
  ASSERT_EQ(l.table.take(1, 2), std::nullopt);
  const Answer taken = l.table.take(2, 2);
  EXPECT_EQ(l.refusal(taken), Refusal::Taken);
  EXPECT_NE(taken->message.find("Ana"), std::string::npos);
  EXPECT_EQ(l.refusal(l.table.release(2, 2)), Refusal::NotYours);
  EXPECT_EQ(l.refusal(l.table.rename(2, 2, "Otro")), Refusal::NotYours);
  EXPECT_EQ(l.refusal(l.table.rename(1, 2, " \t ")), Refusal::BadName);
  EXPECT_EQ(l.refusal(l.table.press(1, {keys::kSpace, {}})), Refusal::NotStarted);
  EXPECT_EQ(l.refusal(l.table.start(2)), Refusal::NotCreator);
  EXPECT_EQ(l.refusal(l.table.leave(9)), Refusal::NotAtTable);
  const std::size_t recorded = l.journal.events.size();
  l.journal.failing = true;
  EXPECT_EQ(l.refusal(l.table.start(1)), Refusal::Unavailable);
  EXPECT_EQ(l.table.game(), nullptr);
  l.journal.failing = false;
  ASSERT_EQ(l.table.start(1), std::nullopt);
  EXPECT_EQ(l.journal.events.size(), recorded + 2);  // the start, and the clock it read
  EXPECT_EQ(l.journal.events.back().kind, TableEvent::Kind::Clock);
  EXPECT_EQ(l.refusal(l.table.start(1)), Refusal::Started);
  EXPECT_EQ(l.refusal(l.table.rename(1, 2, "Otro")), Refusal::Started);
  EXPECT_EQ(l.refusal(l.table.press(2, {keys::kSpace, {}})), Refusal::NoCharacter);
  EXPECT_EQ(l.refusal(l.table.press(3, {keys::kSpace, {}})), Refusal::Onlooker);
  // Leaving is not a key here: a beep, and nothing recorded.
  const std::size_t beeps = l.outbox.all<sent::Beep>(1).size(), events = l.journal.events.size();
  ASSERT_EQ(l.table.press(1, {keys::kEscape, {}}), std::nullopt);
  ASSERT_EQ(l.table.press(1, {keys::kF4, {false, false, true}}), std::nullopt);
  EXPECT_EQ(l.outbox.all<sent::Beep>(1).size(), beeps + 2);
  EXPECT_EQ(l.journal.events.size(), events);
}

TEST(TableLobby, EveryoneHearsWhoComesTakesRenamesStartsAndGoesCountedFromTheirArrival) {
  Lobby l;
  ASSERT_EQ(l.table.join(1, "Ana", Role::Player), std::nullopt);
  ASSERT_EQ(l.table.join(2, "Luis", Role::Onlooker), std::nullopt);
  ASSERT_EQ(l.table.take(1, 2), std::nullopt);
  ASSERT_EQ(l.table.rename(1, 2, "  Doña Ñandú "), std::nullopt);
  ASSERT_EQ(l.table.take(1, 4), std::nullopt);
  const std::vector<std::string> luis = {
      arrival("Luis", Role::Onlooker), taking("Ana", "Vanessa, la hija pija"),
      renaming("Vanessa, la hija pija", "Doña Ñandú"),
      giving_back("Ana", "Doña Ñandú", GameState::NotStarted),
      taking("Ana", "Zivi Edna Pickford la cotilla, su mejor amiga")};
  EXPECT_EQ(l.texts(2), luis);
  const auto says = l.outbox.says(2);
  for (std::size_t i = 0; i < says.size(); ++i) EXPECT_EQ(says[i].n, static_cast<int>(i + 1));
  EXPECT_EQ(l.texts(1).front(), arrival("Ana", Role::Player));
  const sent::Roster roster = l.outbox.all<sent::Roster>(2).back();
  ASSERT_EQ(roster.characters.size(), 10u);
  EXPECT_EQ(roster.characters[2].name, "Doña Ñandú");
  EXPECT_EQ(roster.characters[2].holder, std::nullopt);
  EXPECT_EQ(roster.characters[4].holder, "Ana");
  EXPECT_FALSE(roster.characters[4].yours) << "Luis's roster";
  EXPECT_TRUE(l.outbox.all<sent::Roster>(1).back().characters[4].yours) << "Ana's";
  EXPECT_EQ(roster.creator, "Ana");
  EXPECT_EQ(roster.onlookers, 1);
  // The creator gone, the next player starts the table.
  ASSERT_EQ(l.table.join(3, "Eva", Role::Player), std::nullopt);
  ASSERT_EQ(l.table.leave(1), std::nullopt);
  EXPECT_EQ(l.texts(2).back(), departure("Ana", nullptr));
  EXPECT_EQ(l.outbox.all<sent::Roster>(3).back().creator, "Eva");
  EXPECT_EQ(l.table.summary().free.size(), 10u);
}

// Ana holds character 1, Luis character 2; the first day has begun.
struct Started : Lobby {
  Started() {
    for (PersonId p : {1, 2})
      EXPECT_EQ(table.join(p, p == 1 ? "Ana" : "Luis", Role::Player), std::nullopt);
    EXPECT_EQ(table.take(1, 0), std::nullopt);
    EXPECT_EQ(table.take(2, 1), std::nullopt);
    EXPECT_EQ(table.start(1), std::nullopt);
    EXPECT_EQ(table.press(2, {keys::kSpace, {}}), std::nullopt);
  }
};

TEST(TableLobby, AwayAPersonIsWaitedForThenStoodInForAndTakesTheSeatBackWithWhatTheyMissed) {
  Started s;
  const int heard = s.outbox.says(1).back().n.value();
  s.table.lost(1, Table::Notice::Told);
  EXPECT_EQ(s.texts(2).back(), absence("Ana", "Bigotes, el gato andalú", 120));
  EXPECT_TRUE(s.texts(2).back().find("dos minutos") != std::string::npos);
  s.table.stand_in(1);
  EXPECT_EQ(s.table.game()->at(0).player, Player::Computer);
  EXPECT_NE(std::find(s.texts(2).begin(), s.texts(2).end(),
                      standing_in("Ana", "Bigotes, el gato andalú")),
            s.texts(2).end());
  const std::size_t sent_before = s.outbox.sent[1].size();
  s.table.back(1, heard);
  EXPECT_EQ(s.table.game()->at(0).player, Player::Person);
  // Joined, the roster, the texts missed, then the return said to all and a summary to them.
  const auto& back = s.outbox.sent[1];
  ASSERT_GT(back.size(), sent_before + 5);
  EXPECT_TRUE(std::holds_alternative<sent::Joined>(back[sent_before]));
  EXPECT_TRUE(std::holds_alternative<sent::Roster>(back[sent_before + 1]));
  const auto& missed = std::get<sent::Missed>(back[sent_before + 2]).texts;
  ASSERT_FALSE(missed.empty());
  EXPECT_EQ(missed.front().n, heard + 1);
  EXPECT_EQ(*missed.front().text, absence("Ana", "Bigotes, el gato andalú", 120));
  EXPECT_EQ(s.texts(2).back(), return_of("Ana"));
  const auto summary = s.outbox.says(1).back();
  EXPECT_EQ(summary.n, std::nullopt);
  EXPECT_TRUE(summary.text->starts_with("Está de vuelta en la mesa Mesa. Es Bigotes"));
  EXPECT_TRUE(std::holds_alternative<sent::Choices>(back.back()));
}

TEST(TableLobby, NobodyHearsOfAnOnlookerOrOfAServerStoppingAway) {
  Started s;
  ASSERT_EQ(s.table.join(3, "Eva", Role::Onlooker), std::nullopt);
  const auto before = s.texts(2).size();
  s.table.lost(3, Table::Notice::Told);
  s.table.lost(1, Table::Notice::Quiet);
  s.table.stand_in(3);
  s.table.back(1, std::nullopt);
  s.table.back(3, std::nullopt);
  EXPECT_EQ(s.texts(2).size(), before);
  EXPECT_EQ(s.table.game()->at(0).player, Player::Person);
  // Back without saying what they heard last: what was said since the connection was lost.
  EXPECT_TRUE(s.outbox.all<sent::Missed>(1).back().texts.empty());
}

}  // namespace
}  // namespace fortuna::testing
