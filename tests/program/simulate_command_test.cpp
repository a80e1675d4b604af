#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

TEST(SimulateCommand, SpanishNamesAndEnglishAliasesGiveTheSameDocument) {
  const RunResult spanish =
      run_fortuna_raw({"simular", "--partidas", "300", "--hilos", "2", "--semilla", "9", "--json"});
  const RunResult english =
      run_fortuna_raw({"simulate", "--games", "300", "--threads", "1", "--seed", "9", "--json"});
  ASSERT_EQ(spanish.exit_code, 0) << spanish.err;
  ASSERT_EQ(english.exit_code, 0) << english.err;
  EXPECT_EQ(spanish.out, english.out);
  const auto document = nlohmann::json::parse(spanish.out);
  EXPECT_EQ(document["games"], 300);
  EXPECT_EQ(document["seed"], 9);
  EXPECT_EQ(document["partial"], false);
  EXPECT_EQ(spanish.err, "");  // no progress bar when standard error is no terminal
}

TEST(SimulateCommand, TheTableNamesEveryPartAndTheCsvHasARowAGame) {
  const auto csv = scratch_dir() / "games.csv";
  const RunResult r = run_fortuna_raw({"simular", "--partidas", "40", "--csv", csv});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  for (const char* part :
       {"Simulación de 40 partidas, semilla 1", "Días por partida: media", "Un superviviente",
        "10. Mister Felix Vaultman", "10.º en la línea de sucesión", "Agresivo", "Defensa débil",
        "Cambia la noche: ", "partidas por segundo y hilo"})
    EXPECT_NE(r.out.find(part), std::string::npos) << part << " in\n" << r.out;
  EXPECT_EQ(r.out.find("PARCIAL"), std::string::npos);
  const std::string rows = read_file(csv);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 41);
  EXPECT_EQ(rows.rfind("seed,days,ending,winner,deaths\n0x", 0), 0u) << rows;
}

TEST(SimulateCommand, BadOptionsAreOneLineAndStatusTwo) {
  const struct {
    std::vector<std::string> args;
    std::string needle;
  } cases[] = {{{"simular"}, "--partidas"},
               {{"simular", "--partidas", "0"}, "--partidas"},
               {{"simular", "--partidas", "1000000001"}, "--partidas"},
               {{"simular", "--partidas", "diez"}, "--partidas"},
               {{"simular", "--partidas", "-5"}, "--partidas"},
               {{"simular", "--partidas", "5", "--hilos", "0"}, "--hilos"},
               {{"simular", "--partidas", "010"}, "--partidas"},
               {{"simular", "--partidas", "5", "--semilla", "x"}, "--semilla"},
               {{"simular", "--partidas", "5", "--semilla", "-1"}, "--semilla"},
               {{"simular", "--partidas", "5", "--semilla", "18446744073709551616"}, "--semilla"},
               {{"simulate", "--games", "5", "--json", "--csv", "a.csv"}, "--csv"},
               {{"simular", "--partidas", "5", "--csv", "/nonexistent/a.csv"}, "/nonexistent"},
               {{"simular", "--partidas", "5", "--rapido"}, "--rapido"}};
  for (const auto& c : cases) {
    const RunResult r = run_fortuna_raw(c.args);
    EXPECT_EQ(r.exit_code, 2) << c.needle;
    EXPECT_NE(r.err.find(c.needle), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// Whether the process has a handler of its own for SIGINT, as Linux shows it in /proc.
bool catches_interrupt(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigCgt:", 0) == 0)
      return (std::stoull(line.substr(7), nullptr, 16) >> (SIGINT - 1) & 1) != 0;
  return false;
}

// Ctrl+C on a run far too long to finish: it stops soon and still prints what it has.
TEST(SimulateCommand, AnInterruptStopsSoonWithPartialFigures) {
  const auto dir = scratch_dir();
  const std::string out = dir / "out.json";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!freopen(out.c_str(), "w", stdout)) _exit(99);
    execl(FORTUNA_BINARY, FORTUNA_BINARY, "simular", "--partidas", "1000000000", "--hilos", "2",
          "--json", static_cast<char*>(nullptr));
    _exit(98);
  }
  // Before its handler is set, an interrupt would simply end it: wait for the handler first.
  for (int waited = 0; waited < 600 && !catches_interrupt(child); ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto sent = std::chrono::steady_clock::now();
  kill(child, SIGINT);
  int status = 0;
  // A generous bound: a stop that hangs fails here instead of hanging the tests.
  for (int waited = 0; waited < 600 && waitpid(child, &status, WNOHANG) == 0; ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (!WIFEXITED(status)) kill(child, SIGKILL);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(10));
  const auto document = nlohmann::json::parse(read_file(out));
  EXPECT_EQ(document["partial"], true);
  EXPECT_EQ(document["games_asked"], 1000000000);
  EXPECT_LT(document["games"].get<std::uint64_t>(), 1000000000u);
}

}  // namespace
}  // namespace fortuna::testing
