// A speech engine whose waits a signal cuts short. The game blocks in wait_until_done while a
// text it must not cut is spoken (seconds, with a real voice); a signal then silences the voice
// from a watcher thread, so the wait returns and the front end's loop can end the run at once.
#pragma once

#include "run/interrupt_source.h"
#include "speech/engine.h"

namespace fortuna {

class InterruptibleEngine final : public SpeechEngine {
 public:
  InterruptibleEngine(SpeechEngine& inner, InterruptSource& interrupts)
      : inner_(inner), interrupts_(interrupts) {}

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

 private:
  SpeechEngine& inner_;
  InterruptSource& interrupts_;
};

}  // namespace fortuna
