#include "client/remote_table.h"

#include <algorithm>
#include <utility>

#include "data/text.h"
#include "narration/help.h"
#include "narration/remote.h"
#include "narration/start.h"
#include "narration/voice.h"
#include "screens/voice_keys.h"

namespace fortuna {

namespace {

const Address kToMe = Address::asker(std::nullopt);

int step_of(Key key) {
  return key.code == keys::kUp || key.code == keys::kLeft ? -1 : 1;
}

bool is_walk(Key key) {
  return key.code >= keys::kLeft && key.code <= keys::kDown;
}

}  // namespace

RemoteTable::RemoteTable(SpeechChannel& speech, Platform& platform, SettingsStore* settings,
                         Place place, Send send)
    : speech_(speech),
      platform_(platform),
      settings_(settings),
      place_(std::move(place)),
      send_(std::move(send)) {}

void RemoteTable::start() {
  if (settings_) {
    const auto& tokens = settings_->remembered().tokens;
    if (const auto found = tokens.find(place_.server); found != tokens.end())
      token_ = found->second;
  }
  speech_.create_voice();
  speech_.load_voices();
  speech_.set_current_voice(0);
  if (settings_) apply_voice_settings(speech_, settings_->remembered());
  platform_.show_window(WindowId::Start);
  say(connecting_text(place_.server), Wait::None, Address::table());
}

void RemoteTable::say(const std::string& text, Wait wait, const Address& to) {
  history_.add(text);
  if (longer_than(text, 2)) last_text_ = text;
  speech_.say(text, wait, to);
}

void RemoteTable::opened() {
  refreshing_ = false;
  if (was_connected_) say(kConnectionBack, Wait::None, kToMe);
  was_connected_ = true;
  send_(hello_message(place_.name, token_, seen_));
}

void RemoteTable::dropped() {
  say(kConnectionLost, Wait::None, kToMe);
}

void RemoteTable::received(const std::string& text) {
  std::string error;
  // A message this client cannot read is the server's fault, not the player's: left unsaid.
  if (const auto message = read_server_message(text, error)) handle(*message);
}

void RemoteTable::handle(const ServerMessage& message) {
  using Kind = ServerMessage::Kind;
  switch (message.kind) {
    case Kind::Welcome:
      return welcomed(message);
    case Kind::Tables:
      return listed(message.tables);
    case Kind::Joined:
      return joined(message);
    case Kind::Roster:
      characters_ = message.characters;
      creator_ = message.creator == place_.name;
      if (message.started && stage_ == Stage::Table) begin_game();
      return;
    case Kind::Say:
      // What was said into a link that was closing comes again once back: heard once.
      if (message.n > 0 && message.n <= seen_) return;
      seen_ = std::max(seen_, message.n);
      return say(message.text, message.wait, message.to);
    case Kind::Missed:
      for (const std::string& text : message.missed) history_.add(text);
      return;
    case Kind::Label:
      return platform_.set_label(message.text);
    case Kind::Beep:
      return platform_.beep();
    case Kind::Choices:
      choices_ = message.choices;
      return;
    case Kind::Error:
    case Kind::Goodbye:
      if (message.code == "no_such_table" && !place_.table.empty())
        return send_(create_message(place_.table));
      // A token from another life of the server: a new person, then.
      if (message.code == "unknown_token" && !token_.empty()) {
        token_.clear();
        return send_(hello_message(place_.name, token_));
      }
      return say(message.text, Wait::None, kToMe);
  }
}

void RemoteTable::welcomed(const ServerMessage& message) {
  token_ = message.token;
  // Kept for the next run: a person who closes the program comes back to their seat.
  if (settings_) {
    Settings settings = settings_->remembered();
    if (std::exchange(settings.tokens[place_.server], token_) != token_) settings_->save(settings);
  }
  if (message.flag) return;  // back at the table: joined and the rest follow
  if (!place_.table.empty()) return send_(join_message(place_.table, place_.onlooker));
  send_(list_message());
}

void RemoteTable::joined(const ServerMessage& message) {
  if (message.text != table_) seen_ = 0;
  table_ = message.text;
  onlooker_ = message.onlooker;
  creator_ = message.flag;
  position_ = 0;
  stage_ = Stage::Table;
  say(at_table_text(table_, onlooker_, creator_), Wait::None, kToMe);
  if (message.started) begin_game();
}

// The game's window takes over from the start screen's, as at one keyboard.
void RemoteTable::begin_game() {
  stage_ = Stage::Game;
  platform_.show_window(WindowId::Main);
  platform_.close_window(WindowId::Start);
}

void RemoteTable::key_down(Key key) {
  if (ended_ || own_key(key)) return;
  switch (stage_) {
    case Stage::Tables:
      return table_list_key(key);
    case Stage::Table:
      return table_key(key);
    case Stage::Game:
      if (onlooker_) return say(kOnlookersWatch, Wait::None, kToMe);
      return send_(key_message(key));
    case Stage::Connecting:
      return;
  }
}

// The keys a person keeps to themselves, answered alike wherever they are.
bool RemoteTable::own_key(Key key) {
  switch (key.code) {
    case keys::kEscape:
      leave();
      return true;
    case keys::kF4:
      if (!key.modifiers.alt) return false;
      leave();
      return true;
    case keys::kControl:
      speech_.silence(kToMe);
      return true;
    case keys::kF5:
      speech_.say(last_text_, Wait::None, kToMe);
      return true;
    case keys::kF1:
      help();
      return true;
    case keys::kF7:
    case keys::kF8:
    case keys::kF9:
    case keys::kF10: {
      const bool rate = key.code == keys::kF7 || key.code == keys::kF8;
      const std::string said =
          rate ? rate_key(speech_, key, kSlowerInGame) : voice_key(speech_, key);
      if (settings_) {
        Settings settings = settings_->remembered();
        keep_voice_settings(speech_, settings);
        settings_->save(settings);
      }
      if (!said.empty()) say(said, Wait::None, kToMe);
      return true;
    }
    case keys::kPageUp:
    case keys::kPageDown:
    case keys::kHome:
    case keys::kEnd: {
      using Step = MessageHistory::Step;
      const Step step = key.code == keys::kPageUp     ? Step::Older
                        : key.code == keys::kPageDown ? Step::Newer
                        : key.code == keys::kHome     ? Step::Oldest
                                                      : Step::Newest;
      const MessageHistory::Entry entry = history_.step(step);
      if (entry.text) speech_.say_aside(history_entry_text(*entry.text, entry.place), kToMe);
      return true;
    }
    default:
      return false;
  }
}

void RemoteTable::tick() {
  if (stage_ != Stage::Tables || ended_ || refreshing_) return;
  refreshing_ = true;
  send_(list_message());
}

// A list the person asked for is read out; one asked for by tick() says only the tables that
// came, and the person stays on the table they were at.
void RemoteTable::listed(const std::vector<ServerMessage::Table>& tables) {
  const bool refresh = std::exchange(refreshing_, false) && stage_ == Stage::Tables;
  if (!refresh) {
    tables_ = tables;
    stage_ = Stage::Tables;
    position_ = 0;
    say(tables_text(static_cast<int>(tables_.size())), Wait::None, kToMe);
    if (!tables_.empty()) say_entry();
    return;
  }
  const auto named = [](const std::vector<ServerMessage::Table>& list, const std::string& name) {
    return std::find_if(list.begin(), list.end(), [&](const auto& t) { return t.name == name; });
  };
  const std::string at =
      tables_.empty() ? std::string() : tables_[static_cast<std::size_t>(position_)].name;
  std::vector<std::string> added;
  for (const auto& table : tables)
    if (named(tables_, table.name) == tables_.end()) added.push_back(table.name);
  tables_ = tables;
  const auto still = named(tables_, at);
  position_ = still == tables_.end() ? 0 : static_cast<int>(still - tables_.begin());
  for (const std::string& name : added) say(new_table_text(name), Wait::Before, kToMe);
}

void RemoteTable::say_entry() {
  if (stage_ == Stage::Tables && !tables_.empty()) {
    const auto& table = tables_[static_cast<std::size_t>(position_)];
    return say(table_entry(table.name, table.players, table.onlookers, table.started), Wait::None,
               kToMe);
  }
  if (stage_ == Stage::Table && !characters_.empty()) {
    const auto& character = characters_[static_cast<std::size_t>(position_)];
    const bool yours = character.yours;
    say(character_entry(character.name, character.holder, yours), Wait::None, kToMe);
  }
}

void RemoteTable::table_list_key(Key key) {
  const int count = static_cast<int>(tables_.size());
  if (is_walk(key) && count > 0) {
    position_ = (position_ + step_of(key) + count) % count;
    return say_entry();
  }
  if ((key.code == keys::kEnter || key.code == keys::kSpace) && count > 0)
    return send_(
        join_message(tables_[static_cast<std::size_t>(position_)].name, key.code == keys::kSpace));
  if (key.code == keys::kF2) {
    const std::string name =
        repair_utf8(platform_.input_box(kTableNamePrompt, kTableNameTitle, ""));
    if (name.empty()) return say(kRenameCancelled, Wait::None, kToMe);
    place_.table = name;
    send_(create_message(name));
  }
}

void RemoteTable::table_key(Key key) {
  const int count = static_cast<int>(characters_.size());
  if (count == 0) return;
  const auto& character = characters_[static_cast<std::size_t>(position_ % count)];
  const bool yours = character.yours;
  if (is_walk(key)) {
    position_ = (position_ + step_of(key) + count) % count;
    return say_entry();
  }
  if (key.code == keys::kSpace) {
    if (onlooker_) return say(kOnlookersWatch, Wait::None, kToMe);
    return send_(yours ? release_message(character.number) : take_message(character.number));
  }
  if (key.code == keys::kF2) {
    if (!yours) return say(kNotYourCharacter, Wait::None, kToMe);
    const std::string name =
        repair_utf8(platform_.input_box(kRenamePrompt, kRenameTitle, character.name));
    if (name.empty()) return say(kRenameCancelled, Wait::None, kToMe);
    return send_(rename_message(character.number, name));
  }
  if (key.code == keys::kEnter) send_(start_message());
}

void RemoteTable::help() {
  std::string text;
  for (const auto& choice : choices_) text += choice.key + ": " + choice.name + ". ";
  text += stage_ == Stage::Game
              ? "F5 repite, F7 y F8 cambian la velocidad, F9 y F10 la voz, Control calla, las "
                "teclas de página recorren los mensajes y Escape sale."
              : "Las flechas recorren la lista, F5 repite, Control calla y Escape sale.";
  speech_.say_aside(text, kToMe);
}

void RemoteTable::leave() {
  ended_ = true;
  platform_.close_window(stage_ == Stage::Game ? WindowId::Main : WindowId::Start);
}

}  // namespace fortuna
