// The table protocol (docs/protocol.md) as the client speaks it: the messages it sends, made
// here, and those the server sends, read here into one plain value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/audience.h"
#include "data/keys.h"
#include "speech/channel.h"
#include "table/protocol.h"

namespace fortuna {

struct ServerMessage {
  enum class Kind {
    Welcome,
    Tables,
    Joined,
    Roster,
    Say,
    Missed,
    Label,
    Beep,
    Choices,
    Error,
    Goodbye
  } kind = Kind::Beep;

  struct Table {
    std::string name;
    int players = 0, onlookers = 0;
    bool started = false;
  };
  struct Character {
    int number = 0;
    std::string name;
    std::optional<std::string> holder;
    bool yours = false;
  };
  struct Choice {
    std::string key, name;
  };

  std::string text;        // Say, Label: the text; Welcome, Joined: the person's or table's name
  std::string token;       // Welcome
  std::string code;        // Error: the code; Goodbye: the reason
  bool flag = false;       // Welcome: resumed; Joined: created by this person
  bool onlooker = false;   // Joined
  bool started = false;    // Joined, Roster
  Wait wait = Wait::None;  // Say
  Address to;              // Say
  int n = 0;               // Say: the text's place among this person's at the table
  std::vector<Table> tables;
  std::vector<Character> characters;  // Roster, in start-screen order
  std::string creator;                // Roster
  std::vector<std::string> missed;    // Missed
  std::vector<Choice> choices;
};

// A message from the server, or nothing with what was wrong with it.
std::optional<ServerMessage> read_server_message(std::string_view json, std::string& error);

// seen: the place of the last text heard at the table, when coming back (0: none).
std::string hello_message(const std::string& name, const std::string& token, int seen = 0);
std::string list_message();
std::string create_message(const std::string& table);
std::string join_message(const std::string& table, bool onlooker);
std::string leave_message();
// take, release: character numbers 1 to 10, as the start screen counts.
std::string take_message(int character);
std::string release_message(int character);
std::string rename_message(int character, const std::string& name);
std::string start_message();
std::string key_message(Key key);

}  // namespace fortuna
