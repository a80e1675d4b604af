// The JSON Lines transcript of a run: keys, speech, beeps, labels, windows, input boxes. It
// watches the speech channel and wraps the platform, so the game never knows it is recorded.
#pragma once

#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "data/keys.h"
#include "run/checked_file.h"
#include "screens/platform.h"
#include "speech/channel.h"

namespace fortuna {

class Transcript final : public SpeechObserver {
 public:
  // Where it goes: nowhere (empty path), standard output ("-") or a file. Nothing, with the
  // reason said in one line on err, when the file cannot be made.
  static std::unique_ptr<Transcript> open(const std::string& path, CheckedFile& standard_output,
                                          std::ostream& err);

  void key(Key key, std::optional<CharacterId> seat = std::nullopt);
  void on_speak(const std::string& text, Wait wait, const Address& to) override;
  void on_rate(int rate) override;
  void on_voice(int index) override;
  void beep();
  void label(const std::string& text);
  void show(WindowId window);
  void close(WindowId window);
  void input(const std::string& prompt, const std::string& title, const std::string& default_text);
  // The last event; then the file is closed. The first failure to write it, as "FILE: reason".
  std::optional<std::string> exit(int code);

 private:
  Transcript() = default;
  void write(const nlohmann::ordered_json& event);
  void write_line(const std::string& text);

  std::unique_ptr<CheckedFile> file_;
  CheckedFile* out_ = nullptr;  // nothing when there is no transcript
};

// Ends a run: the transcript's last event, then every output finished and checked. A failure to
// write is said in one line each and makes the status 1.
int finish_run(int code, Transcript& transcript, CheckedFile& standard_output, std::ostream& err);

// Forwards to the front end's platform and writes each call to the transcript.
class RecordedPlatform final : public Platform {
 public:
  RecordedPlatform(Platform& inner, Transcript& transcript)
      : inner_(inner), transcript_(transcript) {}

  void show_window(WindowId window) override;
  void close_window(WindowId window) override;
  std::string input_box(const std::string& prompt, const std::string& title,
                        const std::string& default_text) override;
  void beep() override;
  void set_label(const std::string& caption) override;

 private:
  Platform& inner_;
  Transcript& transcript_;
};

}  // namespace fortuna
