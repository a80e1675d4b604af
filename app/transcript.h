// The JSON Lines transcript of a run: keys, speech, beeps, labels, windows, input boxes.
// It watches the speech channel and wraps the platform, so the game never knows it is recorded.
#pragma once

#include <fstream>
#include <ostream>
#include <string>

#include "game/platform.h"
#include "speech/engine.h"

namespace fortuna {

class Transcript final : public SpeechObserver {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}

  void key(const std::string& name);
  void on_speak(const std::string& text, bool wait_before, bool wait_after) override;
  void on_rate(int rate) override;
  void on_voice(int index) override;
  void beep();
  void label(const std::string& text);
  void show(WindowId window);
  void close(WindowId window);
  void input(const std::string& prompt, const std::string& title, const std::string& default_text);
  void exit(int code);

 private:
  std::ostream& out_;
};

// Where a transcript goes: nowhere, standard output ("-") or a file.
class TranscriptOutput {
 public:
  // False, with a one-line reason in error, when the file cannot be written.
  bool open(const std::string& path, std::string& error);
  std::ostream& stream() { return *out_; }

 private:
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
