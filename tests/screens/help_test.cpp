// F1 names, for each moment, keys that really act then: each one is pressed, in the moment it
// was named for, and must be heard or seen to do something, never refused. That help is said
// aside, F5 still repeating the game, is pinned by tests/golden/help_and_history.
#include <gtest/gtest.h>

#include <map>

#include "support/test_program.h"

namespace fortuna::testing {
namespace {

// Where a program stands, in the words of the help: the screen, the phase and whether the one
// whose turn it is must still answer.
std::string moment_of(TestProgram& t) {
  if (!t.program.is_open(WindowId::Main)) return "start";
  const Game& game = t.game();
  const bool walking = game.phase == Phase::Rooms || game.phase == Phase::Cards;
  const Character* current = walking ? &game.at(game.current()) : nullptr;
  const bool asked = current && current->player == Player::Person &&
                     (game.phase == Phase::Rooms ? !current->room : !current->chosen_slot);
  return std::to_string(static_cast<int>(game.phase)) + (asked ? " asked" : "");
}

std::unique_ptr<TestProgram> replay(const std::vector<Key>& keys) {
  auto t = std::make_unique<TestProgram>();
  for (const Key& key : keys) t->program.key_down(key);
  return t;
}

// Random play until every moment has been met once, keeping the keys that led to each from
// the start of a run.
std::map<std::string, std::vector<Key>> moments() {
  std::map<std::string, std::vector<Key>> found;
  Random random(7);
  std::vector<Key> keys = {{keys::kSpace, {}}, {keys::kRight, {}}, {keys::kSpace, {}}};
  auto t = replay(keys);
  found["start"] = keys;
  keys.push_back({keys::kEnter, {}});
  t->program.key_down(keys.back());
  const int choices[] = {keys::kSpace, keys::kSpace, keys::k1, keys::k1 + 1, keys::k1 + 2};
  for (int k = 0; k < 4000 && found.size() < 8; ++k) {
    found.emplace(moment_of(*t), keys);
    keys.push_back({choices[random.draw(5) - 1], {}});
    t->program.key_down(keys.back());
  }
  return found;
}

TEST(Help, EveryKeyF1NamesActsInTheMomentItIsNamedFor) {
  const auto all = moments();
  EXPECT_EQ(all.size(), 8u)
      << "start, the day's start, rooms and cards asked or not, a target, the end";
  for (const auto& [name, prefix] : all) {
    auto t = replay(prefix);
    const auto entries = t->program.is_open(WindowId::Main) ? t->program.game_screen().help()
                                                            : t->program.start_screen().help();
    ASSERT_FALSE(entries.empty()) << name;
    for (const HelpEntry& entry : entries) {
      for (const Key& key : entry.keys) {
        auto pressed = replay(prefix);
        const auto said = pressed->log.entries.size();
        const int beeps = pressed->platform.beeps;
        const auto closed = pressed->platform.closed.size();
        pressed->program.key_down(key);
        const bool acted =
            pressed->log.entries.size() > said || pressed->platform.closed.size() > closed;
        EXPECT_TRUE(acted && pressed->platform.beeps == beeps)
            << name << ": key " << key.code << " named for action "
            << static_cast<int>(entry.action);
      }
    }
  }
}

}  // namespace
}  // namespace fortuna::testing
