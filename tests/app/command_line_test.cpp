// The program as a shell runs it: options, messages in the locale's language, and broken
// surroundings, which end with a one-line message and a status that says so, never with success
// and nothing said.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <thread>

#include "support/game_process.h"
#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

struct Shell {
  int status;
  std::string out, err;
  std::filesystem::path dir;
};

// Runs the command through the shell, with {} standing for the program and {dir} for a scratch
// folder holding k.txt (Space, Enter, Space, Space, 1); in English unless the command says
// otherwise, whatever locales the machine has: some reasons are the system's own words.
Shell shell(std::string command) {
  const auto dir = scratch_dir();
  std::ofstream(dir / "k.txt") << "Space\nEnter\nSpace\nSpace\n1\n";
  for (auto at = command.find("{dir}"); at != std::string::npos; at = command.find("{dir}"))
    command.replace(at, 5, dir.string());
  // D-Bus keeps what SDL asked of it for the life of the process: no leak report on a window's.
  command.replace(command.find("{}"), 2,
                  (command.find("window") == std::string::npos
                       ? ""
                       : "env " + shell_quote(without_leak_checks()) + " ") +
                      shell_quote(FORTUNA_BINARY));
  const int status = std::system(("cd " + shell_quote(dir) +
                                  " && export LANG=en_US.UTF-8 && unset LC_ALL LANGUAGE && (" +
                                  command + ") >out 2>err </dev/null")
                                     .c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(dir / "out"),
          read_file(dir / "err"), dir};
}

TEST(CommandLine, EachRunEndsWithItsStatusAndSaysWhyInOneLine) {
  const struct {
    const char* command;
    int status;
    const char* said;
  } cases[] = {
      {"{} --keys k.txt --transcript /dev/full", 1, "--transcript /dev/full: no space left"},
      {"{} --keys k.txt --transcript - >/dev/full", 1, "standard output: no space left"},
      {"{} --keys k.txt --speech text >/dev/full", 1, "standard output: no space left"},
      {"DISPLAY=:99 timeout 20 {} --frontend window", 2, "display cannot be reached"},
      {"env -u DISPLAY -u WAYLAND_DISPLAY {} --frontend window", 2, "--frontend headless"},
      {"env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u LANG {}", 2,
       "no hay pantalla para una ventana"},
      {"{} --keys {dir} --transcript /dev/null", 2, "is a directory"},
      {"{} --keys nowhere.txt", 2, "no such file"},
      {"{} --keys k.txt --transcript {dir}", 2, "is a directory"},
      {"{} --keys /dev/null", 0, ""},
      {"{} --frontend window --keys /dev/null", 2, "--keys"},
      {"{} --clock 25", 2, "expected HH:MM:SS"},
      {"{} --bogus", 2, "unexpected argument: --bogus"},
      {"{} --version", 0, "fortuna "},
      {"{} --help", 0, "Escape or Alt+F4   leave"},
      // Spanish unless the locale asks for English.
      {"unset LANG; {} --help", 0, "Tabulador          callar la voz"},
      {"unset LANG; {} bench --help", 0, "Opciones:\n  -h,--help                   muestra"},
      {"LANG=fr_FR.UTF-8 {} --keys", 2, "--keys necesita un valor"},
      {"LANG=C LANGUAGE=en {} --keys", 2, "--keys necesita un valor"},
      {"LC_ALL=C {} --speech sapi", 2, "«sapi» no es ninguno de estos"},
      {"LC_ALL=es_ES.UTF-8 LC_MESSAGES=en_GB.UTF-8 {} --bogus", 2, "argumento inesperado"},
      {"LC_MESSAGES=en_GB.UTF-8 LANG=es_ES.UTF-8 {} --bogus", 2, "unexpected argument"},
      {"LANG=de_DE.UTF-8 LANGUAGE=pt:en {} --bogus", 2, "unexpected argument"},
      {"LANG=fr_FR.UTF-8@euro {} --bogus", 2, "argumento inesperado"},
      // The text engine: one line a text, lower case.
      {"printf 'Right\\nControl\\n' | {} --frontend headless --speech text", 0,
       "cuando esté listo. bigotes, el gato andalúno seleccionado\nsir reginald, el apenado"},
      // No progress bar when standard error is no terminal; the English aliases work too.
      {"{} simular --partidas 40 --csv g.csv && wc -l <g.csv", 0,
       "Simulación de 40 partidas, semilla 1"},
      {"{} simular --partidas 40 --csv g.csv && wc -l <g.csv", 0, "\n41\n"},
      {"{} simulate --games 30 --threads 2 --seed 9 --json", 0, R"("partial": false)"},
      {"{} simulate --games 30 --seed 9 --json", 0, R"("seed": 9)"},
      {"{} simular", 2, "--partidas"},
      {"{} simular --partidas 010", 2, "--partidas"},
      {"{} simular --partidas 1000000001", 2, "--partidas"},
      {"{} simular --partidas 5 --semilla 18446744073709551616", 2, "--semilla"},
      {"{} simulate --games 5 --json --csv a.csv", 2, "--csv"},
  };
  for (const auto& c : cases) {
    const Shell run = shell(c.command);
    EXPECT_EQ(run.status, c.status) << c.command << "\n" << run.err;
    EXPECT_NE((run.out + run.err).find(c.said), std::string::npos) << c.command << "\n" << run.err;
    if (c.status != 0) {
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.command << "\n"
                                                                     << run.err;
      EXPECT_EQ(run.out, "") << c.command;
    } else {
      EXPECT_EQ(run.err, "") << c.command;
    }
  }
}

// A display that takes the connection and never says a word (a hung X server) would hold SDL,
// and Control+C with it: the window is refused at once instead.
TEST(CommandLine, ADisplayThatNeverAnswersIsRefusedInOneLineRatherThanWaitedFor) {
  const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(listener, 0);
  int number = 900;
  for (; number < 1000; ++number) {  // the first display number nothing holds
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    std::memcpy(address.sun_path + 1, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), length) == 0) break;
  }
  ASSERT_LT(number, 1000);
  ASSERT_EQ(listen(listener, 4), 0);
  const Shell run =
      shell("DISPLAY=:" + std::to_string(number) + " timeout 20 {} --frontend window");
  close(listener);
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_NE(run.err.find("display does not answer"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST(CommandLine, TheTranscriptStaysJsonWhateverElseTakesStandardOutput) {
  for (const char* command : {"{} --keys k.txt --speech text --transcript t.jsonl >&-",
                              "{} --keys k.txt --speech text --transcript - > t.jsonl"}) {
    const Shell run = shell(command);
    EXPECT_EQ(run.status, 0) << command << run.err;
    std::istringstream lines(read_file(run.dir / "t.jsonl"));
    int events = 0;
    for (std::string line; std::getline(lines, line); ++events)
      EXPECT_EQ(line.front(), '{') << command << ": " << line;
    EXPECT_GT(events, 5) << command;
  }
}

TEST(CommandLine, AScriptIsCheckedBeforeItsFirstKeyAndABadLineIsNamedPlainly) {
  const struct {
    std::string script, said;
    bool checked_first;  // a bad key name stops the run before it starts; a missing answer later
  } cases[] = {
      {"Right\nSpace\n\n# fine so far\nSpcae\n", "línea 5", true},
      {"Space\nSp" + std::string(1, '\0') + "ace\xE2\x80\x8B\n", "«Sp\\x00ace\\u200b»", true},
      {std::string(3000, 'x') + "\n", "«" + std::string(80, 'x') + "…»", true},
      {"F2\nRight\n", "línea 2", false},
      {"F2\n", "cuadro de texto", false},
      {"text: Pepe\n", "línea 1", false}};
  for (const auto& c : cases) {
    const RunResult r = run_fortuna(c.script);
    EXPECT_EQ(r.exit_code, 2) << c.script;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_EQ(r.events.empty(), c.checked_first) << c.script;
  }
  EXPECT_EQ(run_fortuna("\xEF\xBB\xBFSpace\nEnter\n").exit_code, 0) << "a byte order mark";
}

// The program waiting on a pipe that stays open, ended by a signal: idle, or waiting for the
// greeting to be spoken (Enter's text waits for it, and espeak-ng speaks in real time).
TEST(CommandLine, ASignalEndsTheRunAtOnceWithItsNumberNeverAsSuccess) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (const char* key : {"Right", "Enter"}) {
      const auto transcript = scratch_dir() / "t.jsonl";
      GameProcess game({FORTUNA_BINARY, "--frontend", "headless", "--speech", "espeak",
                        "--transcript", transcript},
                       {"SDL_AUDIODRIVER=dummy", without_leak_checks()});
      game.type(key + std::string("\n"));
      ASSERT_TRUE(eventually([&] { return read_file(transcript).find(key) != std::string::npos; }));
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      ASSERT_TRUE(game.signal(signal)) << game.err();
      EXPECT_EQ(game.wait_exit(std::chrono::seconds(2)), 128 + signal) << key;
      EXPECT_EQ(read_events(transcript).back(),
                (nlohmann::json{{"event", "exit"}, {"code", 128 + signal}}));
    }
  }
}

}  // namespace
}  // namespace fortuna::testing
