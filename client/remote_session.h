// A table on a server as a run plays it: the front end's keys go to the table as its person
// plays it, the server's messages come back through the run's inbox, on the front end's thread.
#pragma once

#include "client/remote_table.h"
#include "run/session.h"

namespace fortuna {

struct ServerAddress {
  std::string host, port;
};
// "host", "host:port", "[::1]:port"; nothing when it cannot be one.
std::optional<ServerAddress> parse_server_address(const std::string& text, const std::string& port);

// A maker for run_game: connects once the greeting has been said.
MakeSession remote_session(ServerAddress server, RemoteTable::Place place);

}  // namespace fortuna
