#include "server/server_command.h"

#include <CLI/CLI.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "data/translate.h"
#include "run/failure.h"
#include "server/network.h"
#include "server/web_files.h"

namespace fortuna {

namespace {

constexpr auto kGoodbyeTime = std::chrono::seconds(3);

std::filesystem::path data_folder(const ServerOptions& options) {
  if (!options.data_folder.empty()) return options.data_folder;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::filesystem::path(data) / "fortuna";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".local" / "share" / "fortuna";
}

std::string url_host(const std::string& address) {
  return address.find(':') == std::string::npos ? address : "[" + address + "]";
}

// SIGINT or SIGTERM: no new connections, a goodbye to each one, and the end once they are gone
// or the goodbyes have had their time.
class Stopper {
 public:
  Stopper(boost::asio::io_context& io, Network& network, Hall& hall)
      : io_(io), network_(network), hall_(hall), signals_(io, SIGINT, SIGTERM), timer_(io) {
    signals_.async_wait([this](boost::system::error_code error, int) {
      if (error) return;
      network_.stop_listening();
      hall_.stop();
      deadline_ = std::chrono::steady_clock::now() + kGoodbyeTime;
      check();
    });
  }

 private:
  void check() {
    if (hall_.connection_count() == 0 || std::chrono::steady_clock::now() > deadline_)
      return io_.stop();
    timer_.expires_after(std::chrono::milliseconds(20));
    timer_.async_wait([this](boost::system::error_code) { check(); });
  }

  boost::asio::io_context& io_;
  Network& network_;
  Hall& hall_;
  boost::asio::signal_set signals_;
  boost::asio::steady_timer timer_;
  std::chrono::steady_clock::time_point deadline_;
};

// One thread a core, at most four. Whatever escapes a handler is said and the thread goes on.
void serve(boost::asio::io_context& io) {
  const auto run = [&io] {
    while (true) {
      try {
        io.run();
        return;
      } catch (const std::exception& error) {
        report(std::cerr, error.what());
      }
    }
  };
  const unsigned cores = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < cores; ++i) threads.emplace_back(run);
  run();
  for (std::thread& thread : threads) thread.join();
}

}  // namespace

CLI::App* add_server_command(CLI::App& app, ServerOptions& options) {
  CLI::App* server = app.add_subcommand(
      "servidor",
      format_message(translate("serve tables to play over the network (WebSocket at /ws, the "
                               "browser page at /; port %d unless told)"),
                     options.port));
  server->alias("serve");
  // TRANSLATORS: keep the lines as they are laid out.
  server->footer(translate(R"(
The tables' protocol is docs/protocol.md. Each table's events go to the journal in the data
folder before they take effect: a server started again plays every unfinished table back to
where it was, and people come back to their seats with their tokens. SIGINT or SIGTERM says
goodbye to every connection and ends with the tables saved (status 0); a journal or a port that
cannot be opened ends it with status 1.
)"));
  server->add_option("--direccion,--address", options.address,
                     translate("the address to listen on (by default 127.0.0.1)"));
  server->add_option("--puerto,--port", options.port, translate("the port (0: any free one)"))
      ->check(CLI::Range(0, 65535));
  server
      ->add_option("--datos,--data", options.data_folder,
                   translate("where the journal of the tables is kept (by default "
                             "$XDG_DATA_HOME/fortuna or ~/.local/share/fortuna)"))
      ->type_name(translate("FOLDER"));
  server
      ->add_option("--conexiones-por-direccion,--connections-per-address",
                   options.connections_per_address,
                   translate("connections one address may hold (by default 32)"))
      ->check(CLI::Range(1, 100000));
  server
      ->add_option("--mensajes-por-segundo,--messages-per-second", options.messages_per_second,
                   translate("messages one connection may send in any second (by default 20)"))
      ->check(CLI::Range(1, 1000000));
  server
      ->add_option_function<std::string>(
          "--reloj,--clock",
          [&options](const std::string& text) {
            options.clock = parse_time_of_day(text);
            if (!options.clock)
              throw CLI::ValidationError(format_message(
                  translate("--clock %s: expected HH:MM:SS (00:00:00 to 23:59:59)"), text.c_str()));
          },
          translate("the time of day every game reads (for tests)"))
      ->type_name("HH:MM:SS");
  return server;
}

int run_server(const ServerOptions& options) {
  const auto folder = data_folder(options);
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  auto opened = Journal::open(folder / "mesas.sqlite");
  if (const auto* failure = std::get_if<std::string>(&opened)) {
    report(std::cerr, *failure);
    return exit_status::kWriteFailed;
  }
  Journal& journal = *std::get<std::unique_ptr<Journal>>(opened);
  SystemClock system_clock;
  FixedClock fixed_clock(options.clock.value_or(TimeOfDay{}));
  Clock& clock = options.clock ? static_cast<Clock&>(fixed_clock) : system_clock;

  boost::asio::io_context io;
  Hall hall(io, journal, clock, {});
  hall.restore();
  NetworkSettings settings;
  settings.address = options.address;
  settings.port = static_cast<unsigned short>(options.port);
  settings.connections_per_address = options.connections_per_address;
  settings.messages_per_second = options.messages_per_second;
  std::error_code error;
  settings.web = find_web_folder(std::filesystem::read_symlink("/proc/self/exe", error));
  auto listening = Network::open(io, hall, settings);
  if (const auto* failure = std::get_if<std::string>(&listening)) {
    report(std::cerr, *failure);
    return exit_status::kWriteFailed;
  }
  Network& network = *std::get<std::unique_ptr<Network>>(listening);
  const std::string where = url_host(options.address) + ":" + std::to_string(network.port());
  report(std::cout, format_message(translate("listening at http://%s/ (the game at ws://%s/ws)"),
                                   where.c_str(), where.c_str()));
  if (!settings.web) report(std::cerr, translate("no web folder found: the page is not served"));

  const Stopper stopper(io, network, hall);
  serve(io);
  return exit_status::kSuccess;
}

}  // namespace fortuna
