// `fortuna servidor` (`serve`): the table server of docs/protocol.md, on Linux; nothing where
// the build has none.
#pragma once

#include <optional>
#include <string>

#include "data/clock.h"
#include "table/protocol.h"

namespace CLI {
class App;
}

namespace fortuna {

struct ServerOptions {
  std::string address = "127.0.0.1";
  int port = kDefaultPort;
  std::string data_folder;  // empty: $XDG_DATA_HOME/fortuna or ~/.local/share/fortuna
  int connections_per_address = 32;
  int messages_per_second = 20;
  std::optional<TimeOfDay> clock;  // every table reads this time, for tests
};

// Adds the subcommand, with its Spanish names and their English aliases, filling options;
// nothing where there is no server.
CLI::App* add_server_command(CLI::App& app, ServerOptions& options);

// Serves until SIGINT or SIGTERM: 0 once every connection has had its goodbye and the tables are
// saved; 1 when it cannot start (with a one-line message).
int run_server(const ServerOptions& options);

}  // namespace fortuna
