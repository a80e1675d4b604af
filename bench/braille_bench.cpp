// Braille: how long a text takes to reach the display's cells (through brltty and its virtual
// driver, as a real display would get it), a key's round trip, alone and through the real
// program, the pure cost of cutting, and how many cells and windows the game's texts take.
#include <benchmark/benchmark.h>
#include <poll.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>

#include "braille/braille_output.h"
#include "braille/brlapi_display.h"
#include "braille/contracted.h"
#include "support/game_process.h"
#include "support/virtual_braille.h"

namespace fortuna {
namespace {

using namespace std::chrono_literals;
using testing::VirtualBraille;

const std::string kRoomQuestion =
    "Anselmo, el chófer, es su turno de jugar. Sus cartas son: 1. Ataque débil, Piel de plátano: "
    "Sí, no es algo muy digno, pero... bien pensado... ¿qué mejor manera de simular un "
    "accidente podría encontrar? y 2. Defensa fuerte, Olfato canino: ¿Por qué huelen tanto las "
    "cosas? Parece que hoy tiene algo raro en la nariz.. ¿A qué habitación desea ir? (pulse el "
    "número correspondiente).1. El salón, 2. La cocina, 3. La biblioteca, 4. El dormitorio, ";

// brltty and a connected adapter, or why not.
struct Rig {
  std::unique_ptr<VirtualBraille> brltty;
  std::unique_ptr<BrlapiDisplay> display;
  std::string error;

  Rig() {
    if (!VirtualBraille::brltty_installed()) {
      error = "brltty is not installed";
      return;
    }
    brltty = std::make_unique<VirtualBraille>();
    if (!brltty->error().empty()) {
      error = brltty->error();
      return;
    }
    BrlapiDisplay::Options options;
    options.settings = brltty->settings();
    display = std::make_unique<BrlapiDisplay>(std::move(options));
    const auto deadline = std::chrono::steady_clock::now() + 8s;
    while (display->cells() == 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(5ms);
    if (display->cells() == 0) error = "no display: " + display->status().reason;
  }
};

void BM_BrailleTextToDisplay(benchmark::State& state) {
  Rig rig;
  if (!rig.error.empty()) return state.SkipWithError(rig.error.c_str());
  int n = 0;
  for (auto _ : state) {
    const std::string text = "¿A qué habitación desea ir? " + std::to_string(n++);
    rig.display->write(text);
    if (!rig.brltty->wait_for(text, 2s)) return state.SkipWithError("the text never arrived");
  }
}
BENCHMARK(BM_BrailleTextToDisplay)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

// A front end's loop, waiting on the braille display beside brltty's own report of its cells.
bool pump_until_changed(BrailleOutput& braille, VirtualBraille& brltty, const std::string& from) {
  const auto deadline = std::chrono::steady_clock::now() + 2s;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd waits[2] = {{braille.wait_handle(), POLLIN, 0}, {brltty.fd(), POLLIN, 0}};
    poll(waits, 2, 100);
    if (waits[0].revents != 0) braille.poll();
    if (waits[1].revents != 0) brltty.read_available();
    if (brltty.shown() != from && !brltty.shown().empty()) return true;
  }
  return false;
}

// A pan key pressed on the display until the next window shows on it: brltty, the adapter, the
// front end's poll and back.
void BM_BraillePanKeyToDisplay(benchmark::State& state) {
  Rig rig;
  if (!rig.error.empty()) return state.SkipWithError(rig.error.c_str());
  BrailleOutput braille(*rig.display);
  for (auto _ : state) {
    state.PauseTiming();
    braille.show("Primero");
    braille.show(kRoomQuestion);
    const std::string first = braille.view().window_utf8();
    if (!rig.brltty->wait_for(first, 2s)) return state.SkipWithError("no first window");
    state.ResumeTiming();
    rig.brltty->press("FWINRT");
    if (!pump_until_changed(braille, *rig.brltty, first))
      return state.SkipWithError("the pan never showed");
  }
}
BENCHMARK(BM_BraillePanKeyToDisplay)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

void BM_BrailleCutLongText(benchmark::State& state) {
  BrailleView view;
  view.set_width(40);
  // A new text each time, as the game's are: the same one twice running is kept once.
  const std::string texts[2] = {kRoomQuestion, kRoomQuestion + "."};
  int n = 0;
  for (auto _ : state) {
    view.show(texts[n++ % 2]);
    benchmark::DoNotOptimize(view.window());
  }
  state.counters["windows"] =
      static_cast<double>(cut_windows(normalized_text(kRoomQuestion), 40).size());
}
BENCHMARK(BM_BrailleCutLongText);

void BM_BrailleContractLongText(benchmark::State& state) {
  auto opened = ContractedBraille::open();
  auto* spanish = std::get_if<ContractedBraille>(&opened);
  if (spanish == nullptr) return state.SkipWithError(std::get<std::string>(opened).c_str());
  const std::u32string text = normalized_text(kRoomQuestion);
  Rendering rendering;
  for (auto _ : state) {
    rendering = (*spanish)(text);
    benchmark::DoNotOptimize(rendering);
  }
  state.counters["windows"] = static_cast<double>(cut_windows(rendering.cells, 40).size());
}
BENCHMARK(BM_BrailleContractLongText);

// The real program, headless, on a brltty of its own; its keys typed through a pipe.
struct GameRig {
  std::unique_ptr<VirtualBraille> brltty;
  std::optional<testing::GameProcess> game;
  std::string error;

  GameRig() {
    if (!VirtualBraille::brltty_installed()) {
      error = "brltty is not installed";
      return;
    }
    brltty = std::make_unique<VirtualBraille>();
    if (!brltty->error().empty()) {
      error = brltty->error();
      return;
    }
    const BrlapiSettings where = brltty->settings();
    game.emplace(std::vector<std::string>{FORTUNA_BINARY, "--frontend", "headless", "--braille",
                                          "on", "--no-settings", "--clock", "10:00:00"},
                 std::vector<std::string>{"BRLAPI_HOST=" + *where.host, "BRLAPI_AUTH=none"});
    // brltty's own screen shows until the program takes the display.
    if (!brltty->wait_until(
            [](const std::string& shown) { return shown.starts_with("La fortuna de"); }, 10s))
      error = "the greeting never showed: " + game->err();
  }
  // Waits until the cells show something other than `from`.
  bool changes(const std::string& from) {
    return brltty->wait_until(
        [&](const std::string& shown) { return !shown.empty() && shown != from; }, 10s);
  }
};

// A key typed to the program until its text is on the cells: the game, the speech channel's
// observer, the adapter's thread, brltty and its driver. The goal is 20 ms.
void BM_BrailleKeyToDisplayThroughTheGame(benchmark::State& state) {
  GameRig rig;
  if (!rig.error.empty()) return state.SkipWithError(rig.error.c_str());
  for (auto _ : state) {
    const std::string before = rig.brltty->shown();
    rig.game->type("Right\n");  // the next character of the roster: a new text each time
    if (!rig.changes(before)) return state.SkipWithError("the text never showed");
  }
}
BENCHMARK(BM_BrailleKeyToDisplayThroughTheGame)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50);

// A line key on the display until the text before shows: brltty, the adapter's thread, the
// inbox, the front end's loop, and back.
void BM_BrailleLineKeyToDisplayThroughTheGame(benchmark::State& state) {
  GameRig rig;
  if (!rig.error.empty()) return state.SkipWithError(rig.error.c_str());
  rig.game->type("Right\nRight\n");
  if (!rig.brltty->wait_until(
          [](const std::string& shown) { return shown.starts_with("Vanessa"); }))
    return state.SkipWithError("the keys never showed");
  int n = 0;
  for (auto _ : state) {
    const std::string before = rig.brltty->shown();
    rig.brltty->press(n++ % 2 == 0 ? "LNUP" : "LNDN");
    if (!rig.changes(before)) return state.SkipWithError("the line key never showed");
  }
}
BENCHMARK(BM_BrailleLineKeyToDisplayThroughTheGame)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50);

// Every text the golden transcripts say, once each: the game's texts of every kind.
std::vector<std::string> game_texts() {
  std::set<std::string> texts;
  const auto folder = std::filesystem::path(FORTUNA_SOURCE_DIR) / "tests" / "golden";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".jsonl") continue;
    std::ifstream in(entry.path());
    for (std::string line; std::getline(in, line);) {
      const auto event = nlohmann::json::parse(line, nullptr, false);
      if (event.is_object() && event.value("event", "") == "speak")
        texts.insert(event.value("text", ""));
    }
  }
  return {texts.begin(), texts.end()};
}

// Cells and windows at 40 cells of the texts longer than one window, uncontracted (0) and
// contracted (1); the time is that of translating and cutting them all.
void BM_BrailleGameTextsAt40Cells(benchmark::State& state) {
  Translator translate = uncontracted;
  if (state.range(0) == 1) {
    auto opened = ContractedBraille::open();
    if (auto* error = std::get_if<std::string>(&opened)) return state.SkipWithError(error->c_str());
    translate = std::get<ContractedBraille>(opened);
  }
  const std::vector<std::string> texts = game_texts();
  std::vector<std::size_t> cells, windows;
  for (auto _ : state) {
    cells.clear();
    windows.clear();
    for (const std::string& text : texts) {
      const Rendering rendering = translate(normalized_text(text));
      if (rendering.cells.size() <= 40) continue;
      cells.push_back(rendering.cells.size());
      windows.push_back(cut_windows(rendering.cells, 40).size());
    }
  }
  if (cells.empty()) return state.SkipWithError("no long text");
  const auto mean = [](const std::vector<std::size_t>& values) {
    double sum = 0;
    for (const std::size_t value : values) sum += static_cast<double>(value);
    return sum / static_cast<double>(values.size());
  };
  state.counters["long_texts"] = static_cast<double>(cells.size());
  state.counters["cells_mean"] = mean(cells);
  state.counters["cells_max"] = static_cast<double>(*std::max_element(cells.begin(), cells.end()));
  state.counters["windows_mean"] = mean(windows);
  state.counters["windows_max"] =
      static_cast<double>(*std::max_element(windows.begin(), windows.end()));
}
BENCHMARK(BM_BrailleGameTextsAt40Cells)
    ->ArgName("contracted")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fortuna
