#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/roster.h"
#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

// The roster's names, indexed from 0.
std::vector<std::string> names() {
  Roster roster{};
  Random random;
  IniciaPersonajes(roster, random);
  std::vector<std::string> out;
  for (int i = 1; i <= kCharacters; ++i) out.push_back(roster[static_cast<std::size_t>(i)].Nombre);
  return out;
}

// What one key brought about: the events after it, up to the next key.
struct Step {
  std::vector<std::string> spoken, labels;
  int beeps = 0;
};

std::vector<Step> steps_of(const RunResult& r) {
  std::vector<Step> steps;
  for (const auto& e : r.events) {
    const std::string kind = e.value("event", "");
    if (kind == "key") steps.emplace_back();
    if (steps.empty()) continue;
    if (kind == "speak") steps.back().spoken.push_back(e["text"]);
    if (kind == "label") steps.back().labels.push_back(e["text"]);
    if (kind == "beep") ++steps.back().beeps;
  }
  return steps;
}

int count_of(const std::string& s, const std::string& part) {
  int n = 0;
  for (auto at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) ++n;
  return n;
}

// Bigotes and Sir Reginald are played by people, the other eight by the computer. The clock
// fixes the game: Reginald comes first in the order, Bigotes holds a weak attack as card 2,
// and the last of the order is a computer's character.
TEST(DayPhasesScenario, TwoPeopleAndEightComputersGoThroughTheRoomAndCardPhases) {
  const std::string script =
      "Space\nRight\nSpace\nEnter\n"  // people: Bigotes and Sir Reginald
      "Space\n"                       // 5: the room phase
      "1\n2\n"                        // 6, 7: Reginald to El salón, Bigotes to La cocina
      "3\n"                           // 8: everyone has a room already
      "Space\n"                       // 9: the card phase
      "1\n2\n"                        // 10, 11: Reginald's hiding place, Bigotes' weak attack
      "0\nSpace\n3\n"                 // 12-14: nobody, the list again, the third target
      "1\n";                          // 15: the last of the order is the computer's
  RunResult r = run_fortuna(script, {"--clock", "10:20:30"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::vector<Step> steps = steps_of(r);
  ASSERT_EQ(steps.size(), 15u);
  const std::vector<std::string> kNames = names();
  // The exact prompts are the unit tests' business; here, who is asked when, and what it did.
  ASSERT_EQ(steps[4].spoken.size(), 1u);
  EXPECT_TRUE(steps[4].spoken[0].starts_with(kNames[1] + ", es su turno de jugar. "));
  EXPECT_TRUE(steps[5].spoken.at(0).starts_with(kNames[0] + ", es su turno de jugar. "));

  // The room label: every character in exactly one room, the people where they were sent.
  ASSERT_EQ(steps[6].labels.size(), 1u);
  const std::string& rooms = steps[6].labels[0];
  for (const auto& name : kNames) EXPECT_EQ(count_of(rooms, name + "; "), 1) << name;
  EXPECT_LT(rooms.find(kNames[1]), rooms.find("\r\nLa cocina\r\n"));
  EXPECT_GT(rooms.find(kNames[0]), rooms.find("\r\nLa cocina\r\n"));
  EXPECT_LT(rooms.find(kNames[0]), rooms.find("\r\nLa biblioteca\r\n"));
  EXPECT_EQ(steps[7].beeps, 1);  // a room key for a character already placed
  EXPECT_TRUE(steps[7].spoken.empty());
  EXPECT_TRUE(steps[8].spoken.at(0).starts_with(kNames[1] + ", es su turno de jugar. está en "));

  // The weak attack offers the nine others, numbered in order, again after Space.
  std::string list = " Indique con qué heredero desea usar esa carta: ";
  for (int j = 2; j <= 10; ++j) list += std::to_string(j - 1) + ". " + kNames[j - 1] + ", ";
  ASSERT_EQ(steps[10].spoken.size(), 2u);
  EXPECT_EQ(steps[10].spoken[1], list);
  EXPECT_TRUE(steps[11].spoken.at(0).starts_with("Sólo hay 9 objetivos"));
  EXPECT_EQ(steps[12].spoken, std::vector<std::string>{list});

  // The card label: one line a character, the third target (Kevin) against Bigotes' attack.
  ASSERT_EQ(steps[13].labels.size(), 1u);
  const std::string& cards = steps[13].labels[0];
  EXPECT_EQ(count_of(cards, ") usa la carta "), 10);
  EXPECT_NE(cards.find(kNames[0] +
                       "(En La cocina 4) usa la carta Ataque débil, Guillotina: Un e contra " +
                       kNames[3] + "\r\n"),
            std::string::npos);
  // A card key for the computer's character changes nothing.
  EXPECT_EQ(steps[14].beeps, 1);
  EXPECT_TRUE(steps[14].labels.empty());
  EXPECT_TRUE(steps[14].spoken.empty());
}

}  // namespace
}  // namespace fortuna::testing
