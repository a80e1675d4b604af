// Keys from a terminal's bytes: libtermkey reads the sequences, and this file says which game
// key each one is. A terminal cannot send Control alone, and sends Control+digit only when it
// speaks an extended key protocol, so here Tab stands for Control and Alt+digit (Escape then
// the digit, which every terminal sends) for Control+digit.
#pragma once

#include <termkey.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/key_names.h"

namespace fortuna {

// How a terminal numbers the function keys beyond F12. xterm and its kind (tmux, screen, most
// emulators) send Shift, Control and Alt with F1-F12 as F13-F63 in blocks of twelve; the Linux
// console and rxvt send Shift+F3-F10 as F13-F20.
enum class FunctionKeyLayout { Xterm, Vt220 };
FunctionKeyLayout function_key_layout(std::string_view term);

// The game's key for one key libtermkey read; nothing for a key the game has no code for.
std::optional<Key> game_key(const TermKeyKey& key, FunctionKeyLayout layout);

// Feeds the bytes read from a terminal through libtermkey and hands back whole keys.
class KeyDecoder {
 public:
  // term names the terminfo entry (the TERM variable); an unknown one still reads xterm forms.
  explicit KeyDecoder(const std::string& term);
  ~KeyDecoder();
  KeyDecoder(const KeyDecoder&) = delete;
  KeyDecoder& operator=(const KeyDecoder&) = delete;

  // Bytes as read, in any pieces.
  void feed(std::string_view bytes);
  // The next whole key fed, if any; keys the game has no code for are passed over. Taken one
  // at a time, so that a key that opens the rename box leaves the bytes after it unread.
  std::optional<Key> next();
  // A sequence is begun and not finished: an Escape alone, or part of a longer sequence.
  bool waiting() const { return waiting_; }
  // How long a begun sequence may wait for its end before it is read as it stands.
  static constexpr std::chrono::milliseconds kWaitTime{25};
  // The wait ran out: the next key is what is held, read as it stands (an Escape alone is the
  // Escape key).
  std::optional<Key> expire();
  // The bytes fed and not yet read as keys, given back and forgotten (for the rename box,
  // which reads a line from the same bytes).
  std::string take_unread();

 private:
  void reset();
  bool top_up();
  std::optional<Key> take(bool force);
  std::optional<Key> console_function_key(const TermKeyKey& key);

  std::string term_;
  FunctionKeyLayout layout_;
  TermKey* termkey_ = nullptr;
  std::string given_;    // the latest bytes given to libtermkey, at most its buffer's size
  std::string backlog_;  // bytes fed that libtermkey had no room for yet
  bool waiting_ = false;
  bool console_prefix_ = false;  // "CSI [" was read: a Linux console's F1-F5 goes on
};

// Every key in these bytes, the last begun sequence read as it stands.
std::vector<Key> decode_keys(KeyDecoder& decoder, std::string_view bytes);

}  // namespace fortuna
