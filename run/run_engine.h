// The engine a run speaks through, in front of the one the chain chose. A signal cuts its waits
// short: the game blocks in wait_until_done while a text it must not cut is spoken (seconds,
// with a real voice), so a signal silences the voice from a watcher thread and the front end's
// loop can end the run at once. It also times each key to its first word, for the front ends'
// latency scripts (FORTUNA_KEY_TIMING names the file the figures go to).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "run/interrupt_source.h"
#include "speech/engine.h"

namespace fortuna {

// Nanoseconds of the steady clock, the one time every front end stamps its keys with.
std::uint64_t steady_nanoseconds();

class RunEngine final : public SpeechEngine {
 public:
  RunEngine(SpeechEngine& inner, InterruptSource& interrupts)
      : inner_(inner), interrupts_(interrupts) {}

  // The key being delivered reached the front end at this steady time (nothing: a key not to be
  // timed).
  void key_started(std::optional<std::uint64_t> at_nanoseconds) { key_at_ = at_nanoseconds; }

  void create_voice() override { inner_.create_voice(); }
  // Once a signal has come, every text only silences: the run is ending.
  void speak(std::string_view utf8) override;
  // Returns at once once a signal has come; the inner engine's silencing is called from
  // another thread while its wait runs, which an engine must bear.
  void wait_until_done() override;
  std::vector<std::string> list_voices() override { return inner_.list_voices(); }
  void select_voice(int index) override { inner_.select_voice(index); }
  int rate() const override { return inner_.rate(); }
  void set_rate(int rate) override { inner_.set_rate(rate); }

  // The figures, one a line in microseconds, where FORTUNA_KEY_TIMING says; nothing when unset.
  void write_key_timings() const;

 private:
  SpeechEngine& inner_;
  InterruptSource& interrupts_;
  std::optional<std::uint64_t> key_at_;
  std::vector<double> samples_us_;  // one a key that made the game say something
};

}  // namespace fortuna
