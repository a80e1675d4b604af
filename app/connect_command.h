// `fortuna conectar` (`connect`): play at a table of a server, with this machine's front ends,
// voice and settings.
#pragma once

#include <string>
#include <variant>

#include "run/failure.h"
#include "run/session.h"

namespace CLI {
class App;
}

namespace fortuna {

struct ConnectOptions {
  std::string server;  // HOST[:PORT]
  std::string table;   // empty: choose from the list
  std::string name;    // empty: the login name
  bool watch = false;
};

CLI::App* add_connect_command(CLI::App& app, ConnectOptions& options);

// What a run plays for these options, or why it cannot.
std::variant<MakeSession, Failure> connect_session(const ConnectOptions& options);

}  // namespace fortuna
