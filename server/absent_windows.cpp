// No table server in the Windows build: the command line offers none.
#include "server/server_command.h"

namespace fortuna {

CLI::App* add_server_command(CLI::App&, ServerOptions&) {
  return nullptr;
}

int run_server(const ServerOptions&) {
  return 2;
}

}  // namespace fortuna
