// Who hears what at a table: the game's texts by their address, the table's own news to
// everyone, and each person's label and choices, sent when they change.
#include "narration/seat_view.h"
#include "table/table.h"

namespace fortuna {

namespace {

// The listener a person is: their character's seat, or the table's (onlookers, players holding
// none).
bool hears(std::optional<CharacterId> character, const Address& to) {
  if (to.audience != Audience::Table) return to.seat && to.seat == character;
  return !to.only || (to.only & listener_bit(character));
}

}  // namespace

void Table::on_speak(const std::string& text, Wait wait, const Address& to) {
  const auto shared = std::make_shared<const std::string>(text);
  for (Member& member : members_)
    if (hears(member.role == Role::Player ? member.character : std::nullopt, to))
      say_to(member, shared, wait, to);
}

void Table::announce(const std::string& text) {
  const auto shared = std::make_shared<const std::string>(text);
  for (Member& member : members_) say_to(member, shared, Wait::None, Address::table());
}

void Table::say_to(Member& member, const std::shared_ptr<const std::string>& text, Wait wait,
                   const Address& to) {
  member.recent.push_back({text, ++member.heard});
  if (member.recent.size() > kKeptTexts) member.recent.pop_front();
  send(member, sent::Say{text, wait, to, member.heard});
}

void Table::send(const Member& member, const Outgoing& message) {
  if (!replaying_) outbox_.send(member.id, message);
}

void Table::beep() {
  if (const Member* member = presser_ ? find(*presser_) : nullptr) send(*member, sent::Beep{});
}

void Table::send_joined(const Member& member) {
  send(member,
       sent::Joined{name_, member.role, creator_ == member.id, state_ == GameState::Started});
}

sent::Roster Table::roster_view(const Member& to) const {
  sent::Roster roster;
  for (CharacterId c = 0; c < kCharacterCount; ++c) {
    const Member* held = holder(c);
    roster.characters.push_back({c + 1, roster_[static_cast<std::size_t>(c)].name,
                                 held ? std::optional(held->name) : std::nullopt, held == &to});
  }
  if (const Member* creator = creator_ ? find(*creator_) : nullptr) roster.creator = creator->name;
  for (const Member& member : members_) {
    if (member.role == Role::Player)
      roster.players.push_back(member.name);
    else
      ++roster.onlookers;
  }
  roster.started = state_ == GameState::Started;
  return roster;
}

void Table::send_roster() {
  if (replaying_) return;
  for (const Member& member : members_) send(member, roster_view(member));
}

void Table::refresh() {
  if (replaying_) return;
  for (Member& member : members_) refresh(member, false);
}

// The label and the choices are the game's: nothing before it starts.
void Table::refresh(Member& member, bool always) {
  if (state_ != GameState::Started) return;
  const Game& game = screen_.game();
  const auto seat = member.role == Role::Player ? member.character : std::nullopt;
  std::string label = seat_label(game, seat);
  if (always || label != member.label) {
    member.label = std::move(label);
    send(member, sent::Label{member.label});
  }
  std::vector<Choice> choices;
  if (seat)
    for (const auto& [key, action] : screen_.choices(*seat))
      choices.push_back({key, choice_name(game, action, key)});
  if (always || choices != member.choices) {
    member.choices = std::move(choices);
    send(member, sent::Choices{member.choices});
  }
}

void Table::resume(Member& member, std::optional<int> seen) {
  send_joined(member);
  send(member, roster_view(member));
  sent::Missed missed;
  const int after = seen ? *seen : member.heard_when_lost;
  for (const Heard& heard : member.recent)
    if (heard.n > after) missed.texts.push_back(heard);
  send(member, missed);
}

}  // namespace fortuna
