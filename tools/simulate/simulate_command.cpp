#include "tools/simulate/simulate_command.h"

#include "data/translate.h"
#include "run/checked_file.h"
#include "run/failure.h"

#ifdef _WIN32
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "tools/simulate/progress_bar.h"
#include "tools/simulate/simulate_report.h"
#include "tools/simulate/simulate_run.h"

namespace fortuna {

namespace {

constexpr int kMostThreads = 256;

const char* help_text() {
  return translate(
      "Plays computer against computer games by the rules alone, without a voice, and gives their "
      "figures with 95 per cent intervals. The same seed and number of games give the same figures "
      "with "
      "any number of threads. Ctrl+C stops it and gives the figures of the games finished, marked "
      "as partial (status 130).");
}

const char* footer_text() {
  // TRANSLATORS: keep the lines as they are laid out, and the names of the CSV columns.
  return translate(R"(
Each game draws the tempers, the line of succession and the deal anew; game i (from 0) of seed
S takes number i of SplitMix64 started at S (the CSV's seed column).

Winner: whoever escapes with the keys, or the one survivor. Place: the place in the line of
succession at the start (1st, the first heir). By temper, the share is of wins among the
characters of that temper.

A card played "changes the night" when:
  the keys              its player escapes with them and wins
  change of heir        the papers move the heir that night
  card swap             the kept cards change hands (the game goes on)
  hiding place, defence its player is attacked and lives (without it any attack kills)
  attacks               its target dies that night
The computer never throws a card away: the discard column stays at 0.

--csv: seed (0x and 16 hexadecimal digits), days, ending (keys, one_left, nobody), winner (1 to
10, empty when there is none), deaths; a row a game, in the games' order.
Exit status: 0; 2 when the options are wrong; 130 when Ctrl+C stopped it.
)");
}

// The handler may only touch a lock-free atomic; the threads read it between games.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void on_interrupt(int) {
  interrupted.store(true, std::memory_order_relaxed);
  std::signal(SIGINT, SIG_DFL);  // a second Ctrl+C ends the program at once
}

// Ctrl+C stops the games while this lives.
class InterruptCatcher {
 public:
  InterruptCatcher() : previous_(std::signal(SIGINT, on_interrupt)) { interrupted.store(false); }
  ~InterruptCatcher() { std::signal(SIGINT, previous_); }
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

 private:
  void (*previous_)(int);
};

// Plain decimal digits: the parser would wrap a negative number round, cut a too large one to
// the largest, and read one with a leading 0 as octal.
std::string whole_number(const std::string& text) {
  constexpr std::string_view kLargest = "18446744073709551615";
  const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (digits && (text == "0" || text[0] != '0') &&
      (text.size() < kLargest.size() || (text.size() == kLargest.size() && text <= kLargest)))
    return {};
  return format_message(translate("expected a whole number in decimal digits, at most %s"),
                        std::string(kLargest).c_str());
}

bool standard_error_is_a_terminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

int terminal_width() {
#ifndef _WIN32
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  return 80;
}

ProgressReport progress_on_terminal(std::uint64_t games) {
  if (!standard_error_is_a_terminal()) return {};
  return [games](std::uint64_t done, double seconds) {
    std::cerr << '\r' << progress_line(done, games, seconds, terminal_width() - 1) << "\033[K"
              << std::flush;
  };
}

}  // namespace

CLI::App* add_simulate_command(CLI::App& app, SimulateOptions& options) {
  CLI::App* simulate = app.add_subcommand("simular", help_text());
  simulate->alias("simulate");
  simulate->footer(footer_text());
  const CLI::Validator whole(whole_number, "");
  simulate
      ->add_option("--partidas,--games", options.games, translate("number of games (1 to 10^9)"))
      ->required()
      ->check(whole)
      ->check(CLI::Range(std::uint64_t{1}, kMostSimulatedGames));
  simulate
      ->add_option("--hilos,--threads", options.threads,
                   translate("threads (by default, one a core)"))
      ->check(whole)
      ->check(CLI::Range(1, kMostThreads));
  simulate->add_option("--semilla,--seed", options.seed, translate("seed (by default, 1)"))
      ->check(whole);
  auto* json =
      simulate->add_flag("--json", options.json, translate("the figures as one JSON document"));
  simulate
      ->add_option("--csv", options.csv_file,
                   translate("a row a game in FILE: seed, days, ending, winner, deaths"))
      ->type_name(translate("FILE"))
      ->excludes(json);
  return simulate;
}

int run_simulate(const SimulateOptions& options) {
  std::ofstream csv;
  if (!options.csv_file.empty()) {
    csv.open(options.csv_file, std::ios::binary | std::ios::trunc);
    if (!csv) {
      report(std::cerr, "--csv " + options.csv_file + ": " + system_reason(errno));
      return exit_status::kBadInput;
    }
  }
  SimulationRequest request{options.games, options.seed, options.threads,
                            csv.is_open() ? &csv : nullptr};
  if (request.threads == 0)
    request.threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));

  SimulationOutcome outcome;
  {
    const InterruptCatcher catcher;
    const ProgressReport progress = progress_on_terminal(options.games);
    outcome = run_simulation(request, interrupted, progress);
    if (progress) std::cerr << "\r\033[K" << std::flush;
  }
  const SimulationHeading heading{options.games, options.seed, outcome.partial};
  std::ostringstream figures;
  if (options.json)
    figures << figures_json(heading, outcome.figures).dump(2) << '\n';
  else
    print_table(figures, heading, outcome.figures, {request.threads, outcome.seconds});
  CheckedFile standard_output;
  standard_output.write(figures.str());
  if (const auto failure = standard_output.finish()) {
    report(std::cerr, *failure);
    return exit_status::kWriteFailed;
  }
  if (csv.is_open() && !csv.flush()) {
    report(std::cerr, "--csv " + options.csv_file + ": " + translate("could not write every row"));
    return exit_status::kWriteFailed;
  }
  return outcome.partial ? exit_status::interrupted(SIGINT) : exit_status::kSuccess;
}

}  // namespace fortuna
