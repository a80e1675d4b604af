// Braille: how long a text takes to reach the display's cells (through brltty and its virtual
// driver, as a real display would get it), a key's round trip, and the pure cost of cutting.
#include <benchmark/benchmark.h>
#include <poll.h>

#include <memory>
#include <string>

#include "braille/braille_output.h"
#include "braille/brlapi_display.h"
#include "braille/contracted.h"
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
    display = std::make_unique<BrlapiDisplay>(BrlapiDisplay::Options{brltty->settings()});
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

}  // namespace
}  // namespace fortuna
