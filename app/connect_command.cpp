#include "app/connect_command.h"

#include <CLI/CLI.hpp>
#include <cstdlib>

#include "client/remote_session.h"
#include "data/text.h"
#include "data/translate.h"
#include "table/protocol.h"

namespace fortuna {

namespace {

// The person's name at the table: asked for, else the name they log in with.
std::string person_name(const std::string& asked) {
  if (!asked.empty()) return asked;
  for (const char* variable : {"USER", "USERNAME", "LOGNAME"})
    if (const char* value = std::getenv(variable); value && *value) return repair_utf8(value);
  return "Jugador";
}

}  // namespace

CLI::App* add_connect_command(CLI::App& app, ConnectOptions& options) {
  auto* connect = app.add_subcommand(
      "conectar", translate("play at a table of a table server (fortuna servidor)"));
  connect->alias("connect");
  // The run's own options (--frontend, --speech, --keys...) may come after it too.
  connect->fallthrough();
  connect
      ->add_option("servidor", options.server,
                   format_message(translate("the server, HOST or HOST:PORT (port %s unless told)"),
                                  std::to_string(kDefaultPort).c_str()))
      ->required()
      ->type_name("HOST[:PORT]");
  connect
      ->add_option("--mesa,--table", options.table,
                   translate("sit at this table (made when it is not there)"))
      ->type_name(translate("NAME"));
  connect
      ->add_option("--nombre,--name", options.name,
                   translate("your name at the table (the login name unless told)"))
      ->type_name(translate("NAME"));
  connect->add_flag("--mirar,--watch", options.watch,
                    translate("sit as an onlooker: hear the table, play no character"));
  return connect;
}

std::variant<MakeSession, Failure> connect_session(const ConnectOptions& options) {
  const auto server = parse_server_address(options.server, std::to_string(kDefaultPort));
  if (!server)
    return Failure{format_message(translate("%s: expected HOST or HOST:PORT"),
                                  printable(options.server, 80).c_str())};
  const RemoteTable::Place place{options.server, person_name(options.name), options.table,
                                 options.watch};
  return remote_session(*server, place);
}

}  // namespace fortuna
