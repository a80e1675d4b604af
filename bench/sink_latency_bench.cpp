// What a player hears, measured on the sound server's sink by recording its monitor: a key to
// old speech silent, a key to the first sound of the new text, and a launch to the first sound
// of the greeting next to bare espeak-ng. Needs PulseAudio with a null sink as the default
// (scripts/start-audio.sh); without one every benchmark here is skipped.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "speech/engine_chain.h"
#include "speech/espeak_engine.h"
#include "speech/speechd_engine.h"
#include "support/sink_monitor.h"
#include "support/sound_analysis.h"

extern char** environ;

namespace fortuna {
namespace {

using testing::SinkMonitor;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// No sentence ends inside it: its pauses stay short.
const std::string kOldText =
    "en el salón de la mansión los herederos esperan en silencio mientras el notario lee con "
    "calma cada línea del testamento y nadie se atreve a mirar a los demás a los ojos porque "
    "todos saben que solo uno de ellos saldrá de la casa con las llaves y la fortuna entera";
const std::string kNewText = "sus cartas";
constexpr auto kQuietForSilence = milliseconds(40);

double ms_between(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

std::size_t samples_in(Clock::duration duration) {
  return static_cast<std::size_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(duration).count() * SinkMonitor::kRate /
      1'000'000);
}

struct Figures {
  std::vector<double> values;
  void add(double value) { values.push_back(value); }
  void report(benchmark::State& state, const std::string& name) {
    if (values.empty()) return;
    std::sort(values.begin(), values.end());
    state.counters[name + "_median_ms"] = values[values.size() / 2];
    state.counters[name + "_p90_ms"] = values[values.size() * 9 / 10];
    state.counters[name + "_max_ms"] = values.back();
  }
};

// Waits until the monitor hears something after `since`; the index of its first sound.
std::optional<std::size_t> wait_for_sound(const SinkMonitor& monitor, Clock::time_point since,
                                          Clock::duration limit) {
  const std::size_t from = monitor.index_at(since);
  const auto give_up = Clock::now() + limit;
  while (Clock::now() < give_up) {
    std::this_thread::sleep_for(milliseconds(2));
    const auto samples = monitor.samples();
    if (auto at = testing::first_sound(samples, from)) return at;
  }
  return std::nullopt;
}

// The sink is quiet again (bounded).
void wait_for_quiet(const SinkMonitor& monitor) {
  const auto give_up = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < give_up) {
    std::this_thread::sleep_for(milliseconds(20));
    const auto now = Clock::now();
    monitor.wait_until_recorded(now);
    const auto samples = monitor.samples();
    const std::size_t from = monitor.index_at(now - milliseconds(150));
    if (!testing::first_sound(samples, from)) return;
  }
}

// Where the new text begins in a recording, searching from the key's sample on.
using NewTextFinder = std::function<std::optional<std::size_t>(testing::Samples, std::size_t)>;

// Old speech playing, a key: how long until it is silent, and how long until the new text
// sounds. `new_text` empty measures the purge alone.
struct KeyTrial {
  SpeechEngine& engine;
  SinkMonitor& monitor;
  std::function<void()> at_key;  // just before the key's text is given
  std::mt19937 random{7};

  // Milliseconds from the key to silence and to the new text's first sound (negative: not found).
  std::pair<double, double> run(const std::string& new_text, const NewTextFinder& find) {
    wait_for_quiet(monitor);
    const auto said = Clock::now();
    engine.speak(kOldText);
    if (!wait_for_sound(monitor, said, std::chrono::seconds(3))) return {-1, -1};
    std::this_thread::sleep_for(milliseconds(200 + random() % 400));
    if (at_key) at_key();
    const auto key = Clock::now();
    engine.speak(new_text);
    monitor.wait_until_recorded(key + milliseconds(new_text.empty() ? 200 : 500));
    const auto samples = monitor.samples();
    const std::size_t from = monitor.index_at(key);
    double silent = -1, sounding = -1;
    if (new_text.empty()) {
      if (auto end = testing::end_of_sound(samples, from, samples_in(kQuietForSilence)))
        silent = std::max(0.0, ms_between(key, monitor.time_of(*end)));
    } else if (auto at = find(samples, from)) {
      sounding = ms_between(key, monitor.time_of(*at));
    }
    engine.speak("");
    return {silent, sounding};
  }
};

// After a cut the service is quiet for a moment before the new text: its first sound after
// three quiet milliseconds.
std::optional<std::size_t> sound_after_a_gap(testing::Samples samples, std::size_t from) {
  auto quiet = testing::end_of_sound(samples, from, samples_in(milliseconds(3)));
  return quiet ? testing::first_sound(samples, *quiet) : std::nullopt;
}

std::unique_ptr<SinkMonitor> start_monitor(benchmark::State& state) {
  std::string error;
  auto monitor = SinkMonitor::start(error);
  if (!monitor) state.SkipWithError(error.c_str());
  return monitor;
}

void key_benchmark(benchmark::State& state, SpeechEngine& engine, SinkMonitor& monitor,
                   const NewTextFinder& find, std::function<void()> at_key = nullptr) {
  KeyTrial trial{engine, monitor, std::move(at_key)};
  Figures silent, sounding;
  for (auto _ : state) {
    const double cut = trial.run("", find).first;
    const double started = trial.run(kNewText, find).second;
    if (cut >= 0) silent.add(cut);
    if (started >= 0) sounding.add(started);
    state.SetIterationTime(std::max(cut, 0.0) / 1000);
  }
  silent.report(state, "key_to_silence");
  sounding.report(state, "key_to_new_text");
  state.counters["missed"] =
      static_cast<double>(2 * state.iterations() - silent.values.size() - sounding.values.size());
}

void BM_EspeakKeyOnSink(benchmark::State& state) {
  auto monitor = start_monitor(state);
  if (!monitor) return;
  std::string error;
  auto engine = EspeakEngine::open(error);
  if (!engine) {
    state.SkipWithError(error.c_str());
    return;
  }
  // The new text's own samples, as queued after the key: found exactly in the recording.
  std::mutex mutex;
  std::vector<std::int16_t> queued;
  std::size_t key_mark = 0;
  engine->set_sample_listener([&](const std::int16_t* samples, std::size_t count) {
    std::lock_guard lock(mutex);
    queued.insert(queued.end(), samples, samples + count);
  });
  const auto at_key = [&] {
    std::lock_guard lock(mutex);
    key_mark = queued.size();
  };
  const NewTextFinder find = [&](testing::Samples samples,
                                 std::size_t from) -> std::optional<std::size_t> {
    std::vector<std::int16_t> text;
    {
      std::lock_guard lock(mutex);
      text.assign(queued.begin() + static_cast<std::ptrdiff_t>(key_mark), queued.end());
      queued.clear();
    }
    const auto lead = testing::first_sound(text, 0);
    const std::size_t length = samples_in(milliseconds(20));
    if (!lead || text.size() < *lead + length) return std::nullopt;
    const testing::Samples pattern(text.data() + *lead, length);
    return testing::find_pattern(samples, pattern, from, from + samples_in(milliseconds(300)));
  };
  key_benchmark(state, *engine, *monitor, find, at_key);
}
BENCHMARK(BM_EspeakKeyOnSink)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

void BM_SpeechdKeyOnSink(benchmark::State& state) {
  auto monitor = start_monitor(state);
  if (!monitor) return;
  std::string error;
  auto engine = SpeechdEngine::open(error);
  if (!engine) {
    state.SkipWithError(error.c_str());
    return;
  }
  key_benchmark(state, *engine, *monitor, sound_after_a_gap);
}
BENCHMARK(BM_SpeechdKeyOnSink)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

// A child process with its standard input on a pipe we hold, or on a terminal of its own.
struct Child {
  pid_t pid = -1;
  int input = -1;
  ~Child() {
    if (input >= 0) close(input);
    if (pid <= 0) return;
    // Measured already: a window or a terminal would wait for keys.
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {  // three seconds to leave by itself
      if (waitpid(pid, nullptr, WNOHANG) == pid) return;
      std::this_thread::sleep_for(milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

enum class Input { Pipe, Terminal };

// The child's standard input: a pipe, or a pseudo-terminal's far end. The near end, returned in
// held, stays open while the child runs.
int input_for(Input input, int& held) {
  if (input == Input::Pipe) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    held = fds[1];
    return fds[0];
  }
  held = posix_openpt(O_RDWR | O_NOCTTY);
  if (held < 0 || grantpt(held) != 0 || unlockpt(held) != 0) return -1;
  return open(ptsname(held), O_RDWR | O_NOCTTY);
}

std::unique_ptr<Child> launch(const std::vector<std::string>& args, Input input = Input::Pipe) {
  auto child = std::make_unique<Child>();
  const int far_end = input_for(input, child->input);
  if (far_end < 0) return child;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, far_end, STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, child->input);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int failed = posix_spawnp(&child->pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(far_end);
  if (failed) child->pid = -1;
  return child;
}

// Milliseconds from launching the command to the first sound it makes (negative: none in 5 s).
double launch_to_sound(SinkMonitor& monitor, const std::vector<std::string>& args,
                       Input input = Input::Pipe) {
  wait_for_quiet(monitor);
  const auto start = Clock::now();
  auto child = launch(args, input);
  if (!child || child->pid <= 0) return -1;
  auto at = wait_for_sound(monitor, start, std::chrono::seconds(5));
  return at ? ms_between(start, monitor.time_of(*at)) : -1;
}

std::string greeting_text() {
  const std::string command =
      std::string(FORTUNA_BINARY) + " --frontend headless --speech text </dev/null 2>/dev/null";
  std::string line;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    if (fgets(buffer, sizeof buffer, pipe)) line = buffer;
    pclose(pipe);
  }
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

// The game's launch to its greeting, next to bare espeak-ng saying the same text, in turns.
void launch_benchmark(benchmark::State& state, const std::vector<std::string>& how,
                      Input input = Input::Pipe) {
  auto monitor = start_monitor(state);
  if (!monitor) return;
  const std::string greeting = greeting_text();
  if (greeting.empty()) {
    state.SkipWithError("the game would not say its greeting");
    return;
  }
  const char* term = std::getenv("TERM");
  if (input == Input::Terminal && (!term || !*term || std::string(term) == "dumb"))
    setenv("TERM", "xterm-256color", 1);
  std::vector<std::string> game_command{FORTUNA_BINARY, "--no-settings"};
  game_command.insert(game_command.end(), how.begin(), how.end());
  Figures game, bare;
  for (auto _ : state) {
    const double with_game = launch_to_sound(*monitor, game_command, input);
    const double alone = launch_to_sound(*monitor, {"espeak-ng", "-v", "roa/es", greeting});
    if (with_game >= 0) game.add(with_game);
    if (alone >= 0) bare.add(alone);
    state.SetIterationTime(std::max(with_game, 0.0) / 1000);
  }
  game.report(state, "game");
  bare.report(state, "bare_espeak");
  if (!game.values.empty() && !bare.values.empty())
    state.counters["added_median_ms"] =
        game.values[game.values.size() / 2] - bare.values[bare.values.size() / 2];
}

// Each way to start: the window on the display DISPLAY names (Xvfb will do), speaking before
// it is drawn; the terminal on a pseudo-terminal of its own.
const struct {
  const char* name;
  std::vector<std::string> options;
  Input input;
  int iterations;
} kLaunches[] = {
    {"EspeakLaunchToGreeting", {"--frontend", "headless", "--speech", "espeak"}, Input::Pipe, 20},
    {"SpeechdLaunchToGreeting", {"--frontend", "headless", "--speech", "speechd"}, Input::Pipe, 10},
    {"WindowLaunchToGreeting", {"--frontend", "window", "--speech", "espeak"}, Input::Pipe, 20},
    {"TerminalLaunchToGreeting",
     {"--frontend", "terminal", "--speech", "espeak"},
     Input::Terminal,
     20}};

[[maybe_unused]] const bool kLaunchesRegistered = [] {
  for (const auto& launch : kLaunches)
    benchmark::RegisterBenchmark(
        ("BM_" + std::string(launch.name)).c_str(),
        [&launch](benchmark::State& state) {
          if (launch.options[1] == std::string("window") && !std::getenv("DISPLAY"))
            return state.SkipWithError("DISPLAY is not set");
          launch_benchmark(state, launch.options, launch.input);
        })
        ->UseManualTime()
        ->Iterations(launch.iterations)
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
}  // namespace fortuna
