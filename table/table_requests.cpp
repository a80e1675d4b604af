// The requests of the people at a table: each checked, then recorded as an event before it
// takes effect.
#include "data/text.h"
#include "table/table.h"

namespace fortuna {

namespace {
constexpr std::size_t kLongestName = 60;
}

Table::Table(std::string name, Clock& clock, Outbox& outbox, TableRecorder* recorder,
             int grace_seconds)
    : name_(std::move(name)),
      outbox_(outbox),
      recorder_(recorder),
      grace_seconds_(grace_seconds),
      clock_(clock, recorder),
      roster_(initial_roster(random_)),
      screen_(speech_, *this, *this, clock_, nullptr) {
  // The voice as the start screen leaves it: a voice key says the same as at one keyboard.
  speech_.load_voices();
  speech_.set_current_voice(0);
  speech_.set_observer(this);
}

Table::Member* Table::find(PersonId person) {
  for (Member& member : members_)
    if (member.id == person) return &member;
  return nullptr;
}

const Table::Member* Table::find(PersonId person) const {
  return const_cast<Table*>(this)->find(person);
}

const Table::Member* Table::holder(CharacterId character) const {
  for (const Member& member : members_)
    if (member.character == character) return &member;
  return nullptr;
}

Answer Table::commit(const TableEvent& event) {
  if (recorder_ && !replaying_ && !recorder_->record(event)) return refused(Refusal::Unavailable);
  apply(event);
  return std::nullopt;
}

// A request only a player at this table makes.
Answer Table::player_request(PersonId person, Member*& member) {
  member = find(person);
  if (!member) return refused(Refusal::NotAtTable);
  if (member->role == Role::Onlooker) return refused(Refusal::Onlooker);
  return std::nullopt;
}

Answer Table::join(PersonId person, const std::string& name, Role role) {
  if (find(person)) return refused(Refusal::AlreadyAtTable);
  if (members_.size() >= kMostPeople) return refused(Refusal::TableFull);
  return commit(TableEvent::of(TableEvent::Kind::Join, person, static_cast<int>(role), name));
}

Answer Table::leave(PersonId person) {
  if (!find(person)) return refused(Refusal::NotAtTable);
  return commit(TableEvent::of(TableEvent::Kind::Leave, person));
}

Answer Table::take(PersonId person, CharacterId character) {
  Member* member = nullptr;
  if (auto refusal = player_request(person, member)) return refusal;
  if (const Member* other = holder(character); other && other != member)
    return Refused{Refusal::Taken, taken_by(other->name)};
  if (member->character == character) return std::nullopt;
  return commit(TableEvent::of(TableEvent::Kind::Take, person, character));
}

Answer Table::release(PersonId person, CharacterId character) {
  Member* member = nullptr;
  if (auto refusal = player_request(person, member)) return refusal;
  if (member->character != character) return refused(Refusal::NotYours);
  return commit(TableEvent::of(TableEvent::Kind::Release, person, character));
}

Answer Table::rename(PersonId person, CharacterId character, const std::string& name) {
  Member* member = nullptr;
  if (auto refusal = player_request(person, member)) return refusal;
  if (state_ == GameState::Started) return refused(Refusal::Started);
  if (member->character != character) return refused(Refusal::NotYours);
  const auto clean = clean_name(name, kLongestName);
  if (!clean) return refused(Refusal::BadName);
  return commit(TableEvent::of(TableEvent::Kind::Rename, person, character, *clean));
}

Answer Table::start(PersonId person) {
  Member* member = nullptr;
  if (auto refusal = player_request(person, member)) return refusal;
  if (state_ == GameState::Started) return refused(Refusal::Started);
  if (creator_ != person) return refused(Refusal::NotCreator);
  bool anyone = false;
  for (const Member& m : members_) anyone |= m.character.has_value();
  if (!anyone) return refused(Refusal::NobodyPlays);
  return commit(TableEvent::of(TableEvent::Kind::Start, person));
}

Answer Table::press(PersonId person, Key key) {
  Member* member = nullptr;
  if (auto refusal = player_request(person, member)) return refusal;
  if (state_ != GameState::Started) return refused(Refusal::NotStarted);
  if (!member->character) return refused(Refusal::NoCharacter);
  // Leaving is the connection's, not a key's.
  if (key.code == keys::kEscape || key.closes_window()) {
    send(*member, sent::Beep{});
    return std::nullopt;
  }
  return commit(TableEvent::pressed(person, key));
}

void Table::lost(PersonId person, Notice notice) {
  Member* member = find(person);
  if (!member || member->presence != Presence::Here) return;
  member->heard_when_lost = member->heard;
  if (notice == Notice::Told && member->character &&
      commit(TableEvent::of(TableEvent::Kind::Away, person, grace_seconds_)) == std::nullopt)
    return;
  member->presence = Presence::Lost;
}

void Table::stand_in(PersonId person) {
  const Member* member = find(person);
  if (!member || member->presence == Presence::Here || !member->character ||
      member->plays == Player::Computer)
    return;
  commit(TableEvent::of(TableEvent::Kind::StandIn, person));
}

void Table::back(PersonId person, std::optional<int> seen) {
  Member* member = find(person);
  if (!member) return;
  resume(*member, seen);
  if (member->presence == Presence::Away || member->plays == Player::Computer)
    commit(TableEvent::of(TableEvent::Kind::Back, person));
  member->presence = Presence::Here;
  Whereabouts where{name_,        creator_ ? find(*creator_)->name : std::string(),
                    member->role, member->character,
                    {},           screen_.card_names(member->character)};
  if (member->character)
    where.character = roster_[static_cast<std::size_t>(*member->character)].name;
  send(*member, sent::Say{std::make_shared<const std::string>(resume_summary(where, game())),
                          Wait::None, Address::asker(member->character), std::nullopt});
  refresh(*member, true);
}

void Table::replay(const std::vector<TableEvent>& events) {
  replaying_ = true;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].kind == TableEvent::Kind::Clock) continue;
    // A reading belongs to the event before it: the one whose effect read the clock.
    for (std::size_t j = i + 1; j < events.size() && events[j].kind == TableEvent::Kind::Clock; ++j)
      clock_.replayed(events[j].time());
    apply(events[i]);
  }
  replaying_ = false;
  for (Member& member : members_) {
    member.heard_when_lost = member.heard;
    if (member.presence == Presence::Here) member.presence = Presence::Lost;
  }
}

bool Table::awaited(PersonId person) const {
  const Member* member = find(person);
  return member && member->character && member->plays == Player::Person;
}

std::vector<PersonId> Table::people() const {
  std::vector<PersonId> ids;
  for (const Member& member : members_) ids.push_back(member.id);
  return ids;
}

Table::Summary Table::summary() const {
  Summary summary{name_, 0, 0, state_ == GameState::Started, {}};
  for (const Member& member : members_)
    ++(member.role == Role::Player ? summary.players : summary.onlookers);
  for (CharacterId c = 0; c < kCharacterCount; ++c)
    if (!holder(c)) summary.free.push_back(c + 1);
  return summary;
}

}  // namespace fortuna
