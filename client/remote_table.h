// A table on a server as its person hears and plays it: the list of tables, the table before the
// start (who holds each character), then the game, whose texts the server makes. The keys a person
// keeps to themselves are answered here and never sent: repeat, rate and voice, silence, help,
// history, leaving.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "client/protocol.h"
#include "data/keys.h"
#include "screens/history.h"
#include "screens/platform.h"
#include "screens/settings.h"
#include "speech/channel.h"

namespace fortuna {

class RemoteTable {
 public:
  struct Place {
    std::string server;  // as said: "localhost:4747"
    std::string name;    // the person's
    std::string table;   // empty: choose from the list
    bool onlooker = false;
  };
  using Send = std::function<void(std::string message)>;

  // settings is nothing when nothing is kept between runs.
  RemoteTable(SpeechChannel& speech, Platform& platform, SettingsStore* settings, Place place,
              Send send);

  // The voice and the window; what the run says while it connects.
  void start();
  void key_down(Key key);
  bool ended() const { return ended_; }

  // What the connection reports, on the loop's thread.
  void opened();
  void received(const std::string& text);
  void dropped();
  // Now and then: the list of tables asked for again while the person is at it, so that one who
  // waits for a friend's table hears it come.
  void tick();

  const std::vector<ServerMessage::Choice>& choices() const { return choices_; }

 private:
  enum class Stage { Connecting, Tables, Table, Game };

  void handle(const ServerMessage& message);
  void welcomed(const ServerMessage& message);
  void listed(const std::vector<ServerMessage::Table>& tables);
  void joined(const ServerMessage& message);
  void begin_game();
  bool own_key(Key key);
  void table_list_key(Key key);
  void table_key(Key key);
  void help();
  void say(const std::string& text, Wait wait = Wait::None, const Address& to = {});
  void say_entry();
  void leave();

  SpeechChannel& speech_;
  Platform& platform_;
  SettingsStore* settings_;
  Place place_;
  Send send_;
  Stage stage_ = Stage::Connecting;
  bool ended_ = false, was_connected_ = false, creator_ = false, onlooker_ = false;
  bool refreshing_ = false;  // a list asked for by tick(), not by the person
  std::string token_, table_;
  std::vector<ServerMessage::Table> tables_;
  std::vector<ServerMessage::Character> characters_;
  std::vector<ServerMessage::Choice> choices_;
  int position_ = 0;  // in the list of tables, or of characters
  int seen_ = 0;      // the place of the last text heard at this table
  MessageHistory history_;
  std::string last_text_;
};

}  // namespace fortuna
