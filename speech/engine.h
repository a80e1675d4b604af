// What the game needs of a speech engine: six operations, nothing else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fortuna {

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;

  // 1. A fresh voice with the engine's default voice and default rate.
  virtual void create_voice() = 0;
  // 2. Speak asynchronously: purge what is queued or sounding, then read the text literally
  //    (never as markup). The empty text only purges.
  virtual void speak(std::string_view utf8) = 0;
  // 3. Block until everything given has been spoken.
  virtual void wait_until_done() = 0;
  // 4. The installed voices' descriptions, in a stable order.
  virtual std::vector<std::string> list_voices() = 0;
  // 5. Make the voice at this position of list_voices() the current one.
  virtual void select_voice(int index) = 0;
  // 6. The logical rate the game set (0 normal; the game moves it within -54..54).
  virtual int rate() const = 0;
  virtual void set_rate(int rate) = 0;
};

}  // namespace fortuna
