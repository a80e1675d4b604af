// The one voice of the program and the only way the game makes sound: every text is lower-cased
// and handed to the engine, cutting off whatever was being said, unless asked to wait.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/audience.h"
#include "speech/engine.h"

namespace fortuna {

// Whether a text waits for the voice to be silent before it starts, and whether the caller
// waits until the text has been heard to its end.
enum class Wait : std::uint8_t { None = 0, Before = 1, After = 2, BeforeAndAfter = 3 };
inline bool waits_before(Wait wait) {
  return (static_cast<int>(wait) & static_cast<int>(Wait::Before)) != 0;
}
inline bool waits_after(Wait wait) {
  return (static_cast<int>(wait) & static_cast<int>(Wait::After)) != 0;
}

// Sees what the game asks of the channel, for a transcript or a signature.
class SpeechObserver {
 public:
  virtual ~SpeechObserver() = default;
  virtual void on_speak(const std::string& text, Wait wait, const Address& to) = 0;
  virtual void on_rate(int rate) = 0;
  virtual void on_voice(int index) = 0;
};

class SpeechChannel {
 public:
  explicit SpeechChannel(SpeechEngine& engine) : engine_(engine) {}
  SpeechChannel(const SpeechChannel&) = delete;
  SpeechChannel& operator=(const SpeechChannel&) = delete;

  void set_observer(SpeechObserver* observer) { observer_ = observer; }

  // A fresh voice: the engine's default voice at the default rate.
  void create_voice();
  // A fresh voice, and the installed voices' descriptions listed anew. With none installed the
  // list holds one empty description and the channel stays silent.
  void load_voices();

  // Texts longer than two characters are remembered for repeat(). to is whom the text is for, as
  // the observer sees it: the voice says every text it is given.
  void say(const std::string& text, Wait wait = Wait::None, const Address& to = {});
  // A text beside the game's own, such as help: never the one repeat() says again.
  void say_aside(const std::string& text, const Address& to = {});
  // Stops the voice at once; the remembered text stays.
  void silence(const Address& to = {}) { say({}, Wait::None, to); }
  void repeat(const Address& to = {});
  const std::string& last_text() const { return last_text_; }

  // Listed the first time they are asked for: an engine's list can take long (a speech service's
  // thousands of voices), and the first word need not wait for it.
  const std::vector<std::string>& voices() const;
  // The voice last chosen with the voice keys; the channel itself never moves it.
  int current_voice() const { return current_voice_; }
  void set_current_voice(int index) { current_voice_ = index; }
  // Makes the voice at this position of the engine's list the one that speaks.
  void select_voice(int index);

  // The logical rate the game set (0 normal, the keys move it within -54..54).
  int rate() const { return engine_.rate(); }
  void set_rate(int rate);

 private:
  void speak(const std::string& text, Wait wait, const Address& to);

  SpeechEngine& engine_;
  SpeechObserver* observer_ = nullptr;
  mutable bool has_voice_ = false;
  mutable bool listed_ = false;
  mutable std::vector<std::string> voices_;
  int current_voice_ = 0;
  std::string last_text_;
};

}  // namespace fortuna
