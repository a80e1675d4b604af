// Who hears the game's texts, each worded for its listener. With one keyboard there is one
// listener, which hears every text in the order the game says them. With seats each seat is a
// listener of its own beside the table's (onlookers and the keyboard): it hears the table's texts
// and its own, keeps its own card names, last text and history. The voice says every text once,
// telling its observers whom it is for.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "data/audience.h"
#include "narration/rooms.h"
#include "screens/history.h"
#include "speech/channel.h"

namespace fortuna {

class Listeners {
 public:
  struct Listener {
    CardNames names = CardNames::Long;
    std::string last_text;  // what the repeat key says again
    MessageHistory history;
  };
  // A text made for a listener's card names.
  using Wording = std::function<std::string(CardNames)>;

  explicit Listeners(SpeechChannel& speech) : speech_(speech) {}

  // This character's person hears on their own from now on (a seat of a seated game).
  void seat(CharacterId id) { seated_[static_cast<std::size_t>(id)] = true; }
  bool any_seat() const;

  void say(const Address& to, const std::string& text, Wait wait = Wait::None);
  void say(const Address& to, const Wording& wording, Wait wait = Wait::None);
  // Beside the game's texts (help, the history itself): kept in no history, never repeated.
  void say_aside(const Address& to, const std::string& text) { speech_.say_aside(text, to); }
  // The repeat key: the asker's last text again.
  void repeat(std::optional<CharacterId> asker);

  // A key's listener: its seat, or the keyboard (nothing). Without seats, the one listener.
  Listener& of(std::optional<CharacterId> seat);
  const Listener& of(std::optional<CharacterId> seat) const {
    return const_cast<Listeners&>(*this).of(seat);
  }

 private:
  ListenerSet hearers(const Address& to) const;
  void heard(ListenerSet hearers, const std::string& text);

  SpeechChannel& speech_;
  std::array<bool, kCharacterCount> seated_{};
  // One per seat, then the table's.
  std::array<Listener, kCharacterCount + 1> listeners_;
};

}  // namespace fortuna
