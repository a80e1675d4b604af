// The terminal front end's share of a key: libtermkey and the key table reading one key's bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "frontends/terminal/terminal_keys.h"

namespace fortuna {
namespace {

void BM_TerminalKeyDecode(benchmark::State& state) {
  // A key of each kind: a letter, an arrow, F5, Shift+F7, Alt+1 and Control+1.
  const std::string keys[] = {"h",
                              "\x1b[C",
                              "\x1b[15~",
                              "\x1b[18;2~",
                              "\x1b"
                              "1",
                              "\x1b[49;5u"};
  KeyDecoder decoder("tmux-256color");
  std::size_t next = 0;
  for (auto _ : state) {
    decoder.feed(keys[next]);
    benchmark::DoNotOptimize(decoder.next());
    next = (next + 1) % std::size(keys);
  }
}
BENCHMARK(BM_TerminalKeyDecode);

}  // namespace
}  // namespace fortuna
