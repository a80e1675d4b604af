#include "app/bench_run.h"

#include <bit>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "game/platform.h"
#include "game/program.h"
#include "speech/none_engine.h"

namespace fortuna {

namespace {

constexpr int kGames = 200;
// Far more keys than the longest game needs; a game still running after them is a fault.
constexpr int kKeyLimit = 5000;

// Eight bytes at a time, read little-endian so the signature is the same on every machine.
void fold(std::uint64_t& hash, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  for (; left >= 8; left -= 8, p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
    hash ^= hash >> 32;
  }
  for (; left > 0; --left, ++p) hash = (hash ^ static_cast<unsigned char>(*p)) * 0x100000001b3ULL;
  hash = (hash ^ bytes.size()) * 0x100000001b3ULL;
}

void fold_byte(std::uint64_t& hash, char c) {
  fold(hash, std::string_view(&c, 1));
}

bool starts_with(const std::string& text, std::string_view start) {
  return text.rfind(start, 0) == 0;
}

// Everything the game says, with its wait flags, goes into the hash.
class HashingObserver final : public SpeechObserver {
 public:
  explicit HashingObserver(std::uint64_t& hash) : hash_(hash) {}
  void on_speak(const std::string& text, bool wait_before, bool wait_after) override {
    fold_byte(hash_, 'S');
    fold(hash_, text);
    fold_byte(hash_, static_cast<char>('0' + (wait_before ? 2 : 0) + (wait_after ? 1 : 0)));
    if (starts_with(text, "Tras salir en plena noche de la casa, ")) ending = 1;
    if (starts_with(text, "El señor Mástiff, al llegar por la mañana")) ending = 2;
    if (starts_with(text, "Mister Paul Mástiff llega a la casa")) ending = 3;
  }
  void on_rate(int) override {}
  void on_voice(int) override {}

  int ending = 0;  // told by the executor's closing scene

 private:
  std::uint64_t& hash_;
};

// A platform that only hashes the labels: nobody watches a bench.
class HashingPlatform final : public Platform {
 public:
  explicit HashingPlatform(std::uint64_t& hash) : hash_(hash) {}
  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  void beep() override { fold_byte(hash_, 'B'); }
  void set_label(const std::string& caption) override {
    fold_byte(hash_, 'L');
    fold(hash_, caption);
  }

 private:
  std::uint64_t& hash_;
};

}  // namespace

int bench_game_count() {
  return kGames;
}

TimeOfDay bench_clock(int game) {
  // Never a zero hour, minute or second: those all seed the generator with 0.
  return {1 + game % 23, 1 + (game * 7) % 59, 1 + (game * 13) % 59};
}

GameOutcome play_computer_game(TimeOfDay time, std::uint64_t& hash) {
  NoneEngine engine;
  HashingPlatform platform(hash);
  FixedClock clock(time);
  Program program(engine, platform, clock);
  HashingObserver observer(hash);
  program.speech.set_observer(&observer);

  GameOutcome outcome;
  program.start();
  program.key_down(13, 0);
  const MainWindow& w = program.main_window;
  for (int k = 0; k < kKeyLimit && w.Fase != kFaseFin; ++k) {
    if (w.Fase == kFaseCartas) ++outcome.days;
    program.key_down(32, 0);
  }
  if (w.Fase == kFaseFin) {
    for (int c = 1; c <= kCharacters; ++c)
      if (program.Personajes[static_cast<std::size_t>(c)].Vivo == 0) ++outcome.deaths;
    outcome.ending = observer.ending;
  }
  outcome.draws = program.random.draws();
  return outcome;
}

BenchFigures play_bench_games() {
  BenchFigures figures;
  std::uint64_t hash = kSignatureStart;
  const auto start = std::chrono::steady_clock::now();
  for (int game = 0; game < kGames; ++game) {
    const GameOutcome outcome = play_computer_game(bench_clock(game), hash);
    ++figures.games;
    figures.days += outcome.days;
    figures.deaths += outcome.deaths;
    figures.draws += outcome.draws;
    if (outcome.ending == 0) {
      ++figures.unfinished;
    } else {
      ++figures.endings[static_cast<std::size_t>(outcome.ending)];
    }
  }
  figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figures.signature = hash;
  return figures;
}

std::string signature_hex(std::uint64_t signature) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(signature));
  return text;
}

double ns_per_draw() {
  Random random;
  double sum = 0;
  constexpr int kDraws = 20'000'000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kDraws; ++i) sum += random.x();
  const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
  volatile double keep = sum;
  (void)keep;
  return took.count() / kDraws;
}

int run_bench(std::ostream& out) {
  const BenchFigures f = play_bench_games();
  const double draw_ns = ns_per_draw();
  out << "games " << f.games << '\n'
      << "days " << f.days << '\n'
      << "deaths " << f.deaths << '\n'
      << "endings keys " << f.endings[1] << " nobody " << f.endings[2] << " one " << f.endings[3]
      << '\n';
  if (f.unfinished != 0) out << "unfinished " << f.unfinished << '\n';
  out << "draws per game " << (f.games != 0 ? f.draws / static_cast<std::uint64_t>(f.games) : 0)
      << '\n'
      << "signature " << signature_hex(f.signature) << '\n'
      << "games per second " << (f.seconds > 0 ? static_cast<long long>(f.games / f.seconds) : 0)
      << '\n';
  if (f.draws != 0) {
    const double floor = 1e9 * f.games / (static_cast<double>(f.draws) * draw_ns);
    out << "floor games per second " << static_cast<long long>(floor) << " (" << draw_ns
        << " ns per draw)\n";
  }
  return f.unfinished == 0 ? 0 : 1;
}

}  // namespace fortuna
