// What the game costs on top of the speech engine: a start-screen key, saying a text,
// and the time from saying it to the first synthesised samples next to a bare espeak-ng call.
#include <benchmark/benchmark.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "data/clock.h"
#include "data/text.h"
#include "screens/platform.h"
#include "screens/program.h"
#include "speech/channel.h"
#include "speech/espeak_engine.h"
#include "speech/none_engine.h"
#include "tools/bench/bench_command.h"

namespace fortuna {
namespace {

// 100 characters.
const std::string kSentence =
    "El salón está vacío y la cocina huele a pan recién hecho, pero nadie sabe dónde están las "
    "llaves ya.";

using Clock = std::chrono::steady_clock;

void BM_StartScreenKey(benchmark::State& state) {
  NoneEngine engine;
  std::uint64_t hash = kSignatureStart;
  HashingPlatform platform(hash);
  FixedClock clock({10, 20, 30});
  Program program(engine, platform, clock);
  program.start();
  for (auto _ : state) program.key_down({keys::kRight, {}});
}
BENCHMARK(BM_StartScreenKey);

void BM_SayOnSilentEngine(benchmark::State& state) {
  NoneEngine engine;
  SpeechChannel channel(engine);
  channel.load_voices();
  for (auto _ : state) channel.say(kSentence);
}
BENCHMARK(BM_SayOnSilentEngine);

void BM_SilentEngineAlone(benchmark::State& state) {
  NoneEngine engine;
  const std::string lowered = to_lower(kSentence);
  for (auto _ : state) {
    benchmark::DoNotOptimize(lowered.data());
    engine.speak(lowered);
  }
}
BENCHMARK(BM_SilentEngineAlone);

// The channel's own steps on the sentence.
void BM_LowerCaseSentence(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(to_lower(kSentence));
}
BENCHMARK(BM_LowerCaseSentence);

void BM_CountCharactersOfSentence(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(char_length(kSentence));
}
BENCHMARK(BM_CountCharactersOfSentence);

// The game's path: the channel on the espeak-ng engine, until its first samples arrive.
void BM_SayToFirstSamples(benchmark::State& state) {
  std::string error;
  auto engine = EspeakEngine::open_silent(error);
  if (!engine) {
    state.SkipWithError(error.c_str());
    return;
  }
  SpeechChannel channel(*engine);
  channel.load_voices();
  for (auto _ : state) {
    const long before = engine->samples_synthesised();
    const auto start = Clock::now();
    channel.say(kSentence);
    while (engine->samples_synthesised() == before) std::this_thread::yield();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    engine->speak("");  // the rest is not measured
    engine->wait_until_done();
  }
}
BENCHMARK(BM_SayToFirstSamples)->UseManualTime()->Iterations(300)->Repetitions(3);

Clock::time_point g_first_samples_at;

// Notes when the first samples come and stops the synthesis there.
int bare_callback(short* wav, int count, espeak_EVENT*) {
  if (!wav || count <= 0) return 0;
  g_first_samples_at = Clock::now();
  return 1;
}

// Seconds from a bare espeak_Synth of the lower-cased sentence to its first samples, where the
// synthesis stops. espeak-ng synthesises on the thread that asks, as it does for the engine.
double bare_seconds_to_first_samples(const std::string& lowered) {
  espeak_SetSynthCallback(bare_callback);
  const auto start = Clock::now();
  espeak_Synth(lowered.c_str(), lowered.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
               nullptr);
  return std::chrono::duration<double>(g_first_samples_at - start).count();
}

// The same sentence (already lower-cased) straight to libespeak-ng, same voice and rate.
void BM_BareEspeakToFirstSamples(benchmark::State& state) {
  {
    std::string error;  // starts espeak-ng and sets the default voice and rate
    if (!EspeakEngine::open_silent(error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  const std::string lowered = to_lower(kSentence);
  for (auto _ : state) state.SetIterationTime(bare_seconds_to_first_samples(lowered));
}
BENCHMARK(BM_BareEspeakToFirstSamples)->UseManualTime()->Iterations(300)->Repetitions(3);

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Both paths in turns, each right after the voice is set up, under the same load: the medians
// and what the game adds, in percent.
void BM_FirstSamplesPaired(benchmark::State& state) {
  const std::string lowered = to_lower(kSentence);
  std::vector<double> game, bare;
  std::string error;
  const auto game_path = [&]() {
    auto engine = EspeakEngine::open_silent(error);
    if (!engine) return false;
    SpeechChannel channel(*engine);
    channel.create_voice();
    engine->wait_until_done();
    const long before = engine->samples_synthesised();
    const auto start = Clock::now();
    channel.say(kSentence);
    while (engine->samples_synthesised() == before) std::this_thread::yield();
    game.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    engine->speak("");
    engine->wait_until_done();
    return true;
  };
  const auto bare_path = [&]() {
    {
      auto engine = EspeakEngine::open_silent(error);  // the same voice and rate
      if (!engine) return false;
      engine->wait_until_done();
    }
    bare.push_back(1e6 * bare_seconds_to_first_samples(lowered));
    return true;
  };
  bool game_first = true;
  for (auto _ : state) {
    const bool ok = game_first ? game_path() && bare_path() : bare_path() && game_path();
    if (!ok) {
      state.SkipWithError(error.c_str());
      return;
    }
    game_first = !game_first;
  }
  const double with_game = median(game), alone = median(bare);
  state.counters["game_us"] = with_game;
  state.counters["bare_us"] = alone;
  state.counters["added_pct"] = alone > 0 ? 100.0 * (with_game - alone) / alone : 0;
}
BENCHMARK(BM_FirstSamplesPaired)->Iterations(500);

}  // namespace
}  // namespace fortuna
