#include "screens/listeners.h"

#include "data/text.h"

namespace fortuna {

bool Listeners::any_seat() const {
  for (bool seated : seated_)
    if (seated) return true;
  return false;
}

Listeners::Listener& Listeners::of(std::optional<CharacterId> seat) {
  const bool own = seat && seated_[static_cast<std::size_t>(*seat)];
  return listeners_[static_cast<std::size_t>(own ? *seat : kTableListener)];
}

ListenerSet Listeners::hearers(const Address& to) const {
  const auto own = [&](std::optional<CharacterId> seat) {
    return seat && seated_[static_cast<std::size_t>(*seat)] ? listener_bit(seat)
                                                            : listener_bit(std::nullopt);
  };
  if (to.audience != Audience::Table) return own(to.seat);
  ListenerSet everyone = listener_bit(std::nullopt);
  for (int id = 0; id < kCharacterCount; ++id)
    if (seated_[static_cast<std::size_t>(id)])
      everyone |= listener_bit(static_cast<CharacterId>(id));
  return everyone;
}

void Listeners::heard(ListenerSet hearers, const std::string& text) {
  for (std::size_t i = 0; i < listeners_.size(); ++i) {
    if (!(hearers & (1u << i))) continue;
    listeners_[i].history.add(text);
    if (longer_than(text, 2)) listeners_[i].last_text = text;
  }
}

void Listeners::say(const Address& to, const std::string& text, Wait wait) {
  heard(hearers(to), text);
  speech_.say(text, wait, to);
}

void Listeners::say(const Address& to, const Wording& wording, Wait wait) {
  const ListenerSet all = hearers(to);
  // Listeners who keep other card names hear the same text worded their way, in turn.
  ListenerSet by_names[2] = {0, 0};
  for (std::size_t i = 0; i < listeners_.size(); ++i)
    if (all & (1u << i)) by_names[static_cast<int>(listeners_[i].names)] |= 1u << i;
  for (const CardNames names : {CardNames::Short, CardNames::Long}) {
    const ListenerSet these = by_names[static_cast<int>(names)];
    if (!these) continue;
    Address worded = to;
    if (these != all) worded.only = these;
    const std::string text = wording(names);
    heard(these, text);
    speech_.say(text, wait, worded);
  }
}

void Listeners::repeat(std::optional<CharacterId> asker) {
  // Said again, not heard anew: the history keeps it once.
  const std::string text = of(asker).last_text;
  speech_.say(text, Wait::None, Address::asker(asker));
}

}  // namespace fortuna
