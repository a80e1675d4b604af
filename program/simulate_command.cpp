#include "program/simulate_command.h"

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
#include <thread>

#include "program/progress_bar.h"
#include "program/simulate_report.h"
#include "program/simulate_run.h"

namespace fortuna {

namespace {

constexpr int kMostThreads = 256;
constexpr int kInterruptedStatus = 130;

constexpr const char* kHelp =
    "Juega partidas de ordenador contra ordenador solo con las reglas, sin voz, y da sus cifras "
    "con intervalos del 95 %. La misma semilla y el mismo número de partidas dan las mismas "
    "cifras con cualquier número de hilos. Ctrl+C la detiene y da las cifras de las partidas "
    "terminadas, marcadas como parciales (estado 130).";

constexpr const char* kFooter = R"(
Cada partida sortea de nuevo los temperamentos, la línea de sucesión y el reparto; la partida i
(desde 0) de la semilla S lleva el número i de SplitMix64 empezado en S (la columna seed del CSV).

Ganador: quien escapa con las llaves o el único superviviente. Puesto: el lugar en la línea de
sucesión al empezar (1.º, el primer heredero). Por temperamento, la cuota es de victorias entre
los personajes de ese temperamento.

Una carta jugada "cambia la noche" si:
  las llaves            su jugador escapa con ellas y gana
  cambio de heredero    los papeles mueven al heredero esa noche
  cambio de carta       las cartas guardadas cambian de manos (la partida sigue)
  escondite, defensas   su jugador es atacado y vive (sin ellas, cualquier ataque mata)
  ataques               su objetivo muere esa noche
El ordenador nunca descarta: la columna de descartes queda en 0.

--csv: seed (0x y 16 cifras hexadecimales), days, ending (keys, one_left, nobody), winner (1 a
10, vacío si no hay), deaths; una fila por partida, en el orden de las partidas.
Estado de salida: 0; 2 si las opciones no valen; 130 si Ctrl+C la detuvo.
)";

// The handler may only touch a lock-free atomic; the threads read it between games.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void on_interrupt(int) {
  interrupted.store(true, std::memory_order_relaxed);
}

// Ctrl+C stops the games while this lives; a second one ends the program at once.
class InterruptCatcher {
 public:
  InterruptCatcher() {
    interrupted.store(false);
#ifdef _WIN32
    // Windows puts the default back before it calls the handler, as SA_RESETHAND does.
    previous_ = std::signal(SIGINT, on_interrupt);
#else
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &previous_);
#endif
  }
  ~InterruptCatcher() {
#ifdef _WIN32
    std::signal(SIGINT, previous_);
#else
    sigaction(SIGINT, &previous_, nullptr);
#endif
  }
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

 private:
#ifdef _WIN32
  void (*previous_)(int) = SIG_DFL;
#else
  struct sigaction previous_ {};
#endif
};

// Plain decimal digits: the parser would wrap a negative number round, cut a too large one to
// the largest, and read one with a leading 0 as octal.
std::string whole_number(const std::string& text) {
  constexpr std::string_view kLargest = "18446744073709551615";
  const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (digits && (text == "0" || text[0] != '0') &&
      (text.size() < kLargest.size() || (text.size() == kLargest.size() && text <= kLargest)))
    return {};
  return "expected a whole number in decimal digits, at most " + std::string(kLargest);
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
  CLI::App* simulate = app.add_subcommand("simular", kHelp);
  simulate->alias("simulate");
  simulate->footer(kFooter);
  const CLI::Validator whole(whole_number, "");
  simulate->add_option("--partidas,--games", options.games, "número de partidas (1 a 10^9)")
      ->required()
      ->check(whole)
      ->check(CLI::Range(std::uint64_t{1}, kMostSimulatedGames));
  simulate->add_option("--hilos,--threads", options.threads, "hilos (por omisión, uno por núcleo)")
      ->check(whole)
      ->check(CLI::Range(1, kMostThreads));
  simulate->add_option("--semilla,--seed", options.seed, "semilla (por omisión, 1)")->check(whole);
  auto* json = simulate->add_flag("--json", options.json, "las cifras como un documento JSON");
  simulate
      ->add_option("--csv", options.csv_file,
                   "una fila por partida en FILE: seed, days, ending, winner, deaths")
      ->type_name("FILE")
      ->excludes(json);
  return simulate;
}

int run_simulate(const SimulateOptions& options) {
  std::ofstream csv;
  if (!options.csv_file.empty()) {
    csv.open(options.csv_file, std::ios::binary | std::ios::trunc);
    if (!csv) {
      std::cerr << "fortuna: --csv " << options.csv_file << ": " << std::strerror(errno) << '\n';
      return 2;
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
  if (options.json)
    std::cout << figures_json(heading, outcome.figures).dump(2) << '\n';
  else
    print_table(std::cout, heading, outcome.figures, {request.threads, outcome.seconds});
  if (csv.is_open() && !csv.flush()) {
    std::cerr << "fortuna: --csv " << options.csv_file << ": could not write every row\n";
    return 1;
  }
  return outcome.partial ? kInterruptedStatus : 0;
}

}  // namespace fortuna
