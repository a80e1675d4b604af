// What each event of a table does, played live or again from the journal.
#include "table/table.h"

namespace fortuna {

void Table::apply(const TableEvent& event) {
  using Kind = TableEvent::Kind;
  if (event.kind == Kind::Join) return joined(event);
  if (event.kind == Kind::Clock) return clock_.replayed(event.time());
  Member* member = find(event.person);
  // A journal never holds an event of someone not at the table; one damaged is passed over.
  if (!member) return;
  const auto character = static_cast<CharacterId>(event.number);
  switch (event.kind) {
    case Kind::Leave:
      return left(*member);
    case Kind::Take:
      return taken(*member, character);
    case Kind::Release:
      return released(*member);
    case Kind::Rename:
      return renamed(character, event.text);
    case Kind::Start:
      return started(*member);
    case Kind::Key:
      return pressed(*member, event.key());
    case Kind::Away:
      return went_away(*member, event.number);
    case Kind::StandIn:
      return stood_in(*member);
    case Kind::Back:
      return came_back(*member);
    default:
      return;
  }
}

void Table::joined(const TableEvent& event) {
  const auto role = static_cast<Role>(event.number);
  Member joining;
  joining.id = event.person;
  joining.name = event.text;
  joining.role = role;
  members_.push_back(std::move(joining));
  if (!creator_ && role == Role::Player) creator_ = event.person;
  Member& member = members_.back();
  send_joined(member);
  send_roster();
  announce(arrival(member.name, role));
  if (!replaying_) refresh(member, true);
}

void Table::left(Member& member) {
  const std::string name = member.name;
  const auto character = member.character;
  const PersonId id = member.id;
  std::erase_if(members_, [&](const Member& m) { return m.id == id; });
  // The table goes on under whoever came first among the players left.
  if (creator_ == id) {
    creator_.reset();
    for (const Member& m : members_)
      if (m.role == Role::Player) {
        creator_ = m.id;
        break;
      }
  }
  send_roster();
  const std::string* held =
      character ? &roster_[static_cast<std::size_t>(*character)].name : nullptr;
  announce(departure(name, state_ == GameState::Started ? held : nullptr));
  if (character) hand_to(*character, Player::Computer);
  refresh();
}

void Table::taken(Member& member, CharacterId character) {
  const auto before = member.character;
  member.character = character;
  member.plays = Player::Person;
  send_roster();
  if (before)
    announce(giving_back(member.name, roster_[static_cast<std::size_t>(*before)].name, state_));
  announce(taking(member.name, roster_[static_cast<std::size_t>(character)].name));
  hand_to(character, Player::Person);
  if (before) hand_to(*before, Player::Computer);
  refresh();
}

void Table::released(Member& member) {
  const CharacterId character = *member.character;
  member.character.reset();
  send_roster();
  announce(giving_back(member.name, roster_[static_cast<std::size_t>(character)].name, state_));
  hand_to(character, Player::Computer);
  refresh();
}

void Table::renamed(CharacterId character, const std::string& name) {
  std::string& held = roster_[static_cast<std::size_t>(character)].name;
  const std::string before = held;
  held = name;
  send_roster();
  announce(renaming(before, name));
}

void Table::started(const Member& member) {
  state_ = GameState::Started;
  for (CharacterId c = 0; c < kCharacterCount; ++c)
    roster_[static_cast<std::size_t>(c)].player = holder(c) ? Player::Person : Player::Computer;
  send_roster();
  announce(game_start(member.name));
  screen_.use_seats();
  screen_.load(roster_, random_);
  // A person who did not come back in time is stood in for from the first day.
  for (const Member& m : members_)
    if (m.character && m.plays == Player::Computer) hand_to(*m.character, Player::Computer);
  if (!replaying_)
    for (Member& m : members_) refresh(m, true);
}

void Table::pressed(Member& member, Key key) {
  presser_ = member.id;
  screen_.key_down(key, member.character);
  presser_.reset();
  refresh();
}

void Table::went_away(Member& member, int grace_seconds) {
  member.presence = Presence::Away;
  announce(absence(member.name, roster_[static_cast<std::size_t>(*member.character)].name,
                   grace_seconds));
}

void Table::stood_in(Member& member) {
  member.plays = Player::Computer;
  announce(standing_in(member.name, roster_[static_cast<std::size_t>(*member.character)].name));
  hand_to(*member.character, Player::Computer);
  refresh();
}

void Table::came_back(Member& member) {
  const bool stood_in = member.plays == Player::Computer;
  member.presence = Presence::Here;
  member.plays = Player::Person;
  announce(return_of(member.name));
  if (stood_in && member.character) hand_to(*member.character, Player::Person);
  refresh();
}

// Who chooses for a character in the game under way; before the start the holders decide it.
void Table::hand_to(CharacterId character, Player player) {
  if (state_ == GameState::Started) screen_.set_player(character, player);
}

}  // namespace fortuna
