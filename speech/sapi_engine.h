// Speaks through SAPI 5, the Windows speech engine, with the voices installed in the system.
// Windows only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "speech/engine.h"

struct ISpVoice;

namespace fortuna {

class SapiEngine final : public SpeechEngine {
 public:
  // COM started on this thread (multithreaded: a signal's watcher may silence the voice from
  // another) and the one voice made; nothing, with the reason in error, when SAPI cannot speak
  // or has no voice.
  static std::unique_ptr<SapiEngine> open(std::string& error);
  ~SapiEngine() override;
  SapiEngine(const SapiEngine&) = delete;
  SapiEngine& operator=(const SapiEngine&) = delete;

  void create_voice() override;
  void speak(std::string_view utf8) override;
  void wait_until_done() override;
  std::vector<std::string> list_voices() override;
  void select_voice(int index) override;
  int rate() const override { return rate_; }
  void set_rate(int rate) override;

  // Why SAPI stopped speaking during the run (one line), or empty.
  std::string fault() const;

 private:
  SapiEngine(ISpVoice* voice, bool uninitialize, int system_rate);
  void check(long result, const char* operation);

  ISpVoice* voice_;
  bool uninitialize_;
  int system_rate_, rate_;
  std::string fault_;
};

}  // namespace fortuna
