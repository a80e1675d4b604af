// The BrlAPI adapter against a real brltty whose display is played by the test (its virtual
// driver). Skipped where brltty is not installed, unless FORTUNA_BRAILLE_REQUIRED=1 (as in CI).
#include "braille/brlapi_display.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include <memory>

#include "braille/braille_output.h"
#include "braille/brlapi_keys.h"
#include "support/virtual_braille.h"

namespace fortuna::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Polls as a front end's loop would, until `done` or the limit.
template <typename Done>
bool pump(BrailleOutput& braille, std::optional<Key>& key, Done done,
          std::chrono::milliseconds limit = 5s) {
  const auto deadline = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    pollfd wait{braille.wait_handle(), POLLIN, 0};
    poll(&wait, 1, 20);
    if (auto got = braille.poll()) key = got;
  }
  return true;
}

bool eventually(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
  const auto deadline = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

class BrailleBrlapi : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!VirtualBraille::brltty_installed()) {
      if (VirtualBraille::required()) FAIL() << "brltty is not installed";
      GTEST_SKIP() << "brltty is not installed";
    }
    brltty_ = std::make_unique<VirtualBraille>();
    ASSERT_EQ(brltty_->error(), "");
    display_ = std::make_unique<BrlapiDisplay>(options());
    ASSERT_TRUE(eventually([&] { return display_->cells() == 40; }, 8s))
        << display_->status().reason << "\n"
        << brltty_->log();
  }
  BrlapiDisplay::Options options() const {
    BrlapiDisplay::Options options;
    options.settings = brltty_->settings();
    options.retry = 100ms;
    return options;
  }

  std::unique_ptr<VirtualBraille> brltty_;
  std::unique_ptr<BrlapiDisplay> display_;
};

TEST_F(BrailleBrlapi, TextsArriveAsWrittenAndTheLatestWins) {
  EXPECT_EQ(display_->status().state, BrlapiDisplay::State::Connected);
  display_->write("El salón: ¿Qué? \"ñandú\" \\ Íñigo");
  EXPECT_TRUE(brltty_->wait_for("El salón: ¿Qué? \"ñandú\" \\ Íñigo")) << brltty_->shown();
  for (int i = 0; i < 100; ++i) display_->write("Texto " + std::to_string(i));
  EXPECT_TRUE(brltty_->wait_for("Texto 99")) << brltty_->shown();
  // A shorter text clears what the longer one left.
  display_->write("Sí");
  EXPECT_TRUE(brltty_->wait_for("Sí")) << brltty_->shown();
}

TEST_F(BrailleBrlapi, PanningShowsTheRestAndTheLineKeysWalkBackAndForth) {
  BrailleOutput braille(*display_);
  std::optional<Key> key;
  braille.show("Primero");
  braille.show(
      "Anselmo, el chófer, es su turno de jugar. Sus cartas son: 1. Ataque débil, Piel de "
      "plátano");
  ASSERT_TRUE(brltty_->wait_for("Anselmo, el chófer, es su turno de"));
  brltty_->press("FWINRT");
  EXPECT_TRUE(pump(braille, key, [&] {
    return brltty_->wait_for("jugar. Sus cartas son: 1. Ataque débil,", 10ms);
  })) << brltty_->shown();
  brltty_->press("LNUP");
  EXPECT_TRUE(pump(braille, key, [&] { return brltty_->wait_for("Primero", 10ms); }));
  brltty_->press("LNDN");
  EXPECT_TRUE(pump(braille, key,
                   [&] { return brltty_->wait_for("Anselmo, el chófer, es su turno de", 10ms); }));
  EXPECT_EQ(key, std::nullopt);
}

TEST_F(BrailleBrlapi, ARoutingKeyOnANumberGivesThatDigit) {
  BrailleOutput braille(*display_);
  std::optional<Key> key;
  braille.show("Elija: 1. El salón, 2. La cocina, 3. El");
  ASSERT_TRUE(brltty_->wait_for("Elija: 1. El salón, 2. La cocina, 3. El"));
  // The cell of "2": the one before it is a space, part of the first choice.
  brltty_->press("ROUTE 20");
  EXPECT_TRUE(pump(braille, key, [&] { return key.has_value(); }));
  EXPECT_EQ(key, (Key{keys::k0 + 2, {}}));
  key.reset();
  brltty_->press("ROUTE 8");
  EXPECT_TRUE(pump(braille, key, [&] { return key.has_value(); }));
  EXPECT_EQ(key, (Key{keys::k0 + 1, {}}));
}

TEST_F(BrailleBrlapi, BrlttyKilledMidGameLeavesTheAdapterAliveAndWritingHarmless) {
  display_->write("Antes");
  ASSERT_TRUE(brltty_->wait_for("Antes"));
  brltty_->kill();
  EXPECT_TRUE(eventually([&] { return display_->cells() == 0; }));
  const auto status = display_->status();
  EXPECT_EQ(status.state, BrlapiDisplay::State::Unavailable);
  EXPECT_NE(status.reason, "");
  const auto start = Clock::now();
  for (int i = 0; i < 50; ++i) display_->write("Después " + std::to_string(i));
  EXPECT_LT(Clock::now() - start, 100ms);
  EXPECT_EQ(display_->next_command(), std::nullopt);
}

TEST_F(BrailleBrlapi, ARestartedBrlttyGetsTheLatestTextBack) {
  display_->write("Antes");
  ASSERT_TRUE(brltty_->wait_for("Antes"));
  brltty_->kill();
  ASSERT_TRUE(eventually([&] { return display_->cells() == 0; }));
  display_->write("Mientras tanto");
  ASSERT_TRUE(brltty_->restart()) << brltty_->error();
  EXPECT_TRUE(brltty_->wait_for("Mientras tanto", 8s)) << display_->status().reason;
  EXPECT_EQ(display_->status().state, BrlapiDisplay::State::Connected);
}

TEST_F(BrailleBrlapi, AHungBrlttyNeverHoldsTheGame) {
  display_->write("Antes");
  ASSERT_TRUE(brltty_->wait_for("Antes"));
  brltty_->signal(SIGSTOP);
  const auto start = Clock::now();
  for (int i = 0; i < 100; ++i) display_->write("Texto " + std::to_string(i));
  EXPECT_EQ(display_->next_command(), std::nullopt);
  // Leaving tty mode waits for an answer that cannot come: given up after half a second.
  display_.reset();
  EXPECT_LT(Clock::now() - start, 1500ms);
  brltty_->signal(SIGCONT);
}

TEST_F(BrailleBrlapi, DestroyingTheAdapterGivesTheDisplayBack) {
  display_->write("Partida en curso");
  ASSERT_TRUE(brltty_->wait_for("Partida en curso"));
  display_.reset();
  // brltty takes its keys back: one of its own commands redraws the display with its screen
  // ("no screen" here) and the time. Held by a client in tty mode, the key would go to it.
  brltty_->press("TIME");
  EXPECT_TRUE(brltty_->wait_until([](const std::string& shown) {
    return shown != "Partida en curso" && !shown.empty();
  })) << brltty_->shown();
}

TEST(BrailleBrlapiSession, AWriteBrlttyRefusesComesBackAsAnErrorInsteadOfEndingTheProcess) {
  if (!VirtualBraille::brltty_installed()) {
    if (VirtualBraille::required()) FAIL() << "brltty is not installed";
    GTEST_SKIP() << "brltty is not installed";
  }
  VirtualBraille brltty;
  ASSERT_EQ(brltty.error(), "");
  std::unique_ptr<BrlapiSession> session;
  ASSERT_TRUE(eventually(
      [&] {
        auto opened = BrlapiSession::open(brltty.settings());
        if (auto* ok = std::get_if<std::unique_ptr<BrlapiSession>>(&opened))
          session = std::move(*ok);
        return session != nullptr;
      },
      8s));
  ASSERT_TRUE(eventually([&] { return session->display_cells() == 40; }));
  // Outside tty mode brltty refuses a write, says so while the session next waits for an
  // answer, and drops the connection: BrlAPI's default handler would have aborted the process.
  session->write("Antes de tiempo");
  const auto refused = session->enter_tty_mode();
  EXPECT_NE(session->last_exception().find("Write"), std::string::npos);
  EXPECT_NE(refused, std::nullopt);
  EXPECT_FALSE(session->write("Sigue"));
}

TEST(BrailleBrlapiAbsent, NoBrlttyIsReportedInOneLineWithoutDelayingTheGame) {
  BrlapiDisplay::Options options;
  // A BrlAPI port nobody listens on.
  options.settings = {"127.0.0.1:59", "none"};
  options.retry = 50ms;
  const auto start = Clock::now();
  BrlapiDisplay display(options);
  display.write("Hola");
  EXPECT_LT(Clock::now() - start, 50ms);
  ASSERT_TRUE(
      eventually([&] { return display.status().state != BrlapiDisplay::State::Connecting; }));
  const auto status = display.status();
  EXPECT_EQ(status.state, BrlapiDisplay::State::Unavailable);
  EXPECT_NE(status.reason.find("127.0.0.1:59"), std::string::npos) << status.reason;
  EXPECT_EQ(status.reason.find('\n'), std::string::npos);
  // The front end hears of it through the wait handle.
  pollfd wait{display.wait_handle(), POLLIN, 0};
  EXPECT_EQ(poll(&wait, 1, 0), 1);
  EXPECT_EQ(display.next_command(), std::nullopt);
  EXPECT_EQ(poll(&wait, 1, 0), 0);
  EXPECT_EQ(display.cells(), 0u);
}

TEST(BrailleKeys, TheDisplaysCommandsAsBrlttySendsThem) {
  using Kind = BrailleCommand::Kind;
  EXPECT_EQ(command_from_brlapi(0x20000018), (BrailleCommand{Kind::PanForward, 0}));
  EXPECT_EQ(command_from_brlapi(0x20000017), (BrailleCommand{Kind::PanBack, 0}));
  EXPECT_EQ(command_from_brlapi(0x20000001), (BrailleCommand{Kind::LineUp, 0}));
  EXPECT_EQ(command_from_brlapi(0x20000002), (BrailleCommand{Kind::LineDown, 0}));
  EXPECT_EQ(command_from_brlapi(0x20010005), (BrailleCommand{Kind::Route, 5}));
  EXPECT_EQ(command_from_brlapi(0x31), (BrailleCommand{Kind::Character, '1'}));
  // Modifier flags held with a command leave it what it is.
  EXPECT_EQ(command_from_brlapi(0x0000000120000018ULL), (BrailleCommand{Kind::PanForward, 0}));
  // Keys the game has no use for: Enter, F3, a letter, another command block.
  for (std::uint64_t code : {0xff0dULL, 0xffc0ULL, 0x61ULL, 0x20020005ULL})
    EXPECT_EQ(command_from_brlapi(code), std::nullopt) << std::hex << code;
}

}  // namespace
}  // namespace fortuna::testing
