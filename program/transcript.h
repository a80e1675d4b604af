// The JSON Lines transcript of a run: keys, speech, beeps, labels, windows, input boxes. It
// watches the speech channel and wraps the platform, so the game never knows it is recorded.
#pragma once

#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "data/keys.h"
#include "screens/platform.h"
#include "speech/channel.h"

namespace fortuna {

class Transcript final : public SpeechObserver {
 public:
  // Where it goes: nowhere (empty path), standard output ("-") or a file. Nothing, with a
  // one-line reason in error, when the file cannot be written.
  static std::unique_ptr<Transcript> open(const std::string& path, std::string& error);
  explicit Transcript(std::ostream& out) : out_(&out) {}

  void key(Key key);
  void on_speak(const std::string& text, Wait wait) override;
  void on_rate(int rate) override;
  void on_voice(int index) override;
  void beep();
  void label(const std::string& text);
  void show(WindowId window);
  void close(WindowId window);
  void input(const std::string& prompt, const std::string& title, const std::string& default_text);
  void exit(int code);

 private:
  Transcript() = default;
  std::ofstream file_;
  std::ostream nowhere_{nullptr};
  std::ostream* out_ = &nowhere_;
};

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
