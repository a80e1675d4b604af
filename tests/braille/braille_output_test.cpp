// The glue a front end holds: texts reach the display, the display's keys reach the game only
// as digits.
#include "braille/braille_output.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace fortuna {
namespace {

using Kind = BrailleCommand::Kind;

class FakeDisplay final : public BrailleDisplay {
 public:
  std::size_t width = 20;
  std::vector<std::string> written;
  std::deque<BrailleCommand> commands;

  std::size_t cells() const override { return width; }
  void write(std::string_view utf8) override { written.emplace_back(utf8); }
  std::optional<BrailleCommand> next_command() override {
    if (commands.empty()) return std::nullopt;
    BrailleCommand command = commands.front();
    commands.pop_front();
    return command;
  }
  int wait_handle() const override { return -1; }
};

TEST(BrailleOutput, PollDoesThePanningAndGivesTheGameOnlyDigits) {
  FakeDisplay display;
  BrailleOutput braille(display);
  braille.show("Elija: 1. El salón, 2. La cocina");
  display.commands = {{Kind::PanForward, 0}, {Kind::Route, 0}, {Kind::LineUp, 0}};
  // "2. La cocina" is the second window: the routing key on its first cell gives 2, and the
  // key after it waits for the next poll.
  EXPECT_EQ(braille.poll(), (Key{keys::k0 + 2, {}}));
  EXPECT_EQ(display.written.back(), "2. La cocina");
  EXPECT_EQ(braille.poll(), std::nullopt);
  EXPECT_EQ(display.written.back(), "⣿");
  EXPECT_TRUE(display.commands.empty());
}

TEST(BrailleOutput, NothingIsWrittenUntilTheDisplaySaysItsWidthThenTheLatestTextIs) {
  FakeDisplay display;
  display.width = 0;
  BrailleOutput braille(display);
  braille.show("Primero");
  braille.show("El heredero actual es Íñigo");
  EXPECT_EQ(braille.poll(), std::nullopt);
  EXPECT_TRUE(display.written.empty());
  display.width = 12;
  EXPECT_EQ(braille.poll(), std::nullopt);
  EXPECT_EQ(display.written, (std::vector<std::string>{"El heredero"}));
}

}  // namespace
}  // namespace fortuna
