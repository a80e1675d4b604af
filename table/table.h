// One table of the server, without the network: the people at it (players and onlookers), the
// ten characters they hold and rename before the start, the game once started (each held
// character a seat), and who hears which text. Every change is an event, recorded before it
// takes effect; a table given its recorded events again comes back to the same state, each
// person's count of texts heard included.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "narration/lobby.h"
#include "screens/game_screen.h"
#include "speech/none_engine.h"
#include "table/outgoing.h"
#include "table/table_clock.h"

namespace fortuna {

class Table final : private Platform, private Windows, private SpeechObserver {
 public:
  static constexpr int kMostPeople = 50;
  // How many of the texts a person heard are kept for their coming back.
  static constexpr std::size_t kKeptTexts = 200;

  // recorder is nothing when nothing is kept; grace_seconds is how long a held character waits
  // for a person who went away before the computer plays it.
  Table(std::string name, Clock& clock, Outbox& outbox, TableRecorder* recorder, int grace_seconds);
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Requests; nothing when done. Characters are numbered 0 to 9.
  Answer join(PersonId person, const std::string& name, Role role);
  Answer leave(PersonId person);
  Answer take(PersonId person, CharacterId character);
  Answer release(PersonId person, CharacterId character);
  Answer rename(PersonId person, CharacterId character, const std::string& name);
  Answer start(PersonId person);
  Answer press(PersonId person, Key key);

  // A person's connection was lost. Told: the table hears it when they hold a character. Quiet:
  // not their doing (the server stopped), nothing is said.
  enum class Notice : std::uint8_t { Told, Quiet };
  void lost(PersonId person, Notice notice);
  // The grace period of a person still away ran out: the computer plays their character.
  void stand_in(PersonId person);
  // A person back on a new connection: joined, roster, the texts missed (after the one numbered
  // seen, or since the connection was lost), a summary, the label and the choices.
  void back(PersonId person, std::optional<int> seen);

  // The recorded events, in order: the table as they left it, everyone away.
  void replay(const std::vector<TableEvent>& events);

  struct Summary {
    std::string name;
    int players = 0, onlookers = 0;
    bool started = false;
    std::vector<int> free;  // 1 to 10
  };
  Summary summary() const;
  const std::string& name() const { return name_; }
  bool empty() const { return members_.empty(); }
  bool is_here(PersonId person) const { return find(person) != nullptr; }
  // Whether a person away would leave a character waiting for them.
  bool awaited(PersonId person) const;
  std::vector<PersonId> people() const;
  const Game* game() const { return state_ == GameState::Started ? &screen_.game() : nullptr; }

 private:
  enum class Presence : std::uint8_t { Here, Lost, Away };  // Away: the table was told
  struct Member {
    PersonId id = 0;
    std::string name;
    Role role = Role::Player;
    std::optional<CharacterId> character;
    Player plays = Player::Person;  // the computer, once the grace period ran out
    Presence presence = Presence::Here;
    int heard = 0;
    int heard_when_lost = 0;
    std::deque<Heard> recent;
    std::string label;
    std::vector<Choice> choices;
  };

  Member* find(PersonId person);
  const Member* find(PersonId person) const;
  const Member* holder(CharacterId character) const;
  Answer player_request(PersonId person, Member*& member);
  Answer commit(const TableEvent& event);

  // table_events.cpp: each event's effect.
  void apply(const TableEvent& event);
  void joined(const TableEvent& event);
  void left(Member& member);
  void taken(Member& member, CharacterId character);
  void released(Member& member);
  void renamed(CharacterId character, const std::string& name);
  void started(const Member& member);
  void pressed(Member& member, Key key);
  void went_away(Member& member, int grace_seconds);
  void stood_in(Member& member);
  void came_back(Member& member);
  void hand_to(CharacterId character, Player player);

  // table_voice.cpp: who hears what.
  void on_speak(const std::string& text, Wait wait, const Address& to) override;
  void on_rate(int) override {}
  void on_voice(int) override {}
  void announce(const std::string& text);
  void say_to(Member& member, const std::shared_ptr<const std::string>& text, Wait wait,
              const Address& to);
  void send(const Member& member, const Outgoing& message);
  sent::Roster roster_view(const Member& to) const;
  void send_roster();
  void send_joined(const Member& member);
  void refresh();
  void refresh(Member& member, bool always);
  void resume(Member& member, std::optional<int> seen);

  // The game's platform and windows: beeps go to whoever pressed the key; the label is made
  // for each seat apart, and no window closes from here.
  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  void beep() override;
  void set_label(const std::string&) override {}
  void show(WindowId) override {}
  void close(WindowId) override {}

  std::string name_;
  Outbox& outbox_;
  TableRecorder* recorder_;
  int grace_seconds_;
  TableClock clock_;
  std::vector<Member> members_;
  std::optional<PersonId> creator_;
  Random random_;
  Roster roster_;
  GameState state_ = GameState::NotStarted;
  bool replaying_ = false;
  std::optional<PersonId> presser_;
  NoneEngine engine_;
  SpeechChannel speech_{engine_};
  GameScreen screen_;
};

}  // namespace fortuna
