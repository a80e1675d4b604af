// speech-dispatcher, the speech service a Linux desktop's screen reader speaks through, with
// the player's own synthesiser, voice and speed. One connection for the whole run; every call
// to the service is bounded in time, and a service that goes away or cannot sound says so in
// fault() instead of blocking the game.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "speech/engine.h"
#include "speech/serial_worker.h"

namespace fortuna {

// The service's rate (-100..100) for the game's logical rate: 0 keeps the rate the player
// chose for the service, 50 and beyond the fastest, -50 and beyond the slowest.
int speechd_rate(int logical_rate, int player_rate);

struct SpeechdVoice {
  std::string name, language;
};
// The voices of a LIST SYNTHESIS_VOICES reply, in the service's order.
std::vector<SpeechdVoice> parse_voice_list(std::string_view reply);
// The Spanish ones, in the same order; all of them when none is Spanish.
std::vector<SpeechdVoice> spanish_voices(std::vector<SpeechdVoice> voices);

struct SpeechdState;  // shared with the service's own threads

class SpeechdEngine final : public SpeechEngine {
 public:
  // Connected (starting the service when it is not running) and heard to speak, or nothing
  // with a one-line reason in error. The voices are listed in the background from here on.
  static std::unique_ptr<SpeechdEngine> open(std::string& error);
  // Cancels whatever is queued: a closed game says nothing more.
  ~SpeechdEngine() override;
  SpeechdEngine(const SpeechdEngine&) = delete;
  SpeechdEngine& operator=(const SpeechdEngine&) = delete;

  void create_voice() override;
  void speak(std::string_view utf8) override;
  void wait_until_done() override;
  std::vector<std::string> list_voices() override;
  void select_voice(int index) override;
  int rate() const override { return rate_; }
  void set_rate(int rate) override;

  // Why the service can no longer speak for us (one line), or empty while it can. Safe from
  // any thread.
  std::string fault() const;
  // Output module, language and voice, for the start-up line.
  std::string summary() const;
  // The rate last given to the service (-100..100).
  int service_rate() const { return service_rate_; }

 private:
  SpeechdEngine();
  bool connect(std::string& error);
  bool heard_speaking(std::string& error, bool& connection_broke);
  bool call(std::function<bool()> job, std::chrono::milliseconds limit);
  void await_voices();
  void start_listing();
  void fail(const std::string& reason) const;

  SerialWorker worker_;
  std::shared_ptr<SpeechdState> state_;
  std::string module_, language_;
  int player_rate_ = 0;
  int player_voice_type_ = 0;
  int rate_ = 0;
  int service_rate_ = 0;
  bool listing_ = false;  // the voices are being listed: calls wait for the list first
  bool listed_ = false;   // the listing was asked for
  std::vector<SpeechdVoice> voices_;
};

}  // namespace fortuna
