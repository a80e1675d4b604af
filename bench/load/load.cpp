// fortuna_load: the table server under load. A thousand tables of five connections each (three
// players, two onlookers), seated and started; then 2,000 keys a second in all. Prints the time
// from a key to the first text or beep its presser gets (median and 99th percentile), the
// server's share of one processor, and its resident memory per idle table and per connection.
// Goals on a two-core machine: p99 within 10 ms, under one core, at most 100 KB a connection.
// Usage: fortuna_load [tables, 1000] [keys a second, 2000] [seconds, 30]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "load/load_server.h"
#include "load/load_tables.h"

namespace {

using namespace fortuna::load;

double percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
  return values[at];
}

struct Figures {
  int tables = 0, rate = 0, seconds = 0;
  long base_kb = 0, idle_kb = 0, loaded_kb = 0;
  double processor_share = 0, written_per_second = 0;
};

void report(const Figures& f, const LoadTables& load) {
  const auto& latencies = load.latencies();
  const double connections = load.connections();
  std::printf("tables %d, connections %d, keys a second %d, seconds %d\n", f.tables,
              load.connections(), f.rate, f.seconds);
  std::printf("keys sent %d, answered %zu, unanswered %d, errors %d\n", load.keys_sent(),
              latencies.size(), load.keys_unanswered(), load.errors());
  std::printf(
      "key to first text at its presser: p50 %.2f ms, p90 %.2f ms, p99 %.2f ms, p99.9 "
      "%.2f ms, max %.2f ms\n",
      percentile(latencies, 0.5), percentile(latencies, 0.9), percentile(latencies, 0.99),
      percentile(latencies, 0.999), percentile(latencies, 1.0));
  std::printf(
      "server processor: %.1f %% of one core under load; its journal wrote %.0f KB a "
      "second\n",
      100 * f.processor_share, f.written_per_second / 1024);
  std::printf(
      "server resident memory: %ld KB started, %ld KB with every table idle, %ld KB "
      "after the load\n",
      f.base_kb, f.idle_kb, f.loaded_kb);
  std::printf(
      "per idle table (five connections): %.1f KB; per connection: %.1f KB idle, %.1f KB "
      "after the load\n",
      static_cast<double>(f.idle_kb - f.base_kb) / f.tables,
      static_cast<double>(f.idle_kb - f.base_kb) / connections,
      static_cast<double>(f.loaded_kb - f.base_kb) / connections);
}

// The server started again on the journal the load left: every table played back before it
// listens.
void replay(const std::filesystem::path& folder) {
  const auto journal = folder / "mesas.sqlite";
  std::error_code error;
  const auto bytes = std::filesystem::file_size(journal, error);
  const auto start = std::chrono::steady_clock::now();
  ServerProcess again(FORTUNA_BINARY, folder);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf(
      "journal %.1f MB; started again on it, every table played back and listening in "
      "%.2f s, %ld KB resident\n",
      static_cast<double>(error ? 0 : bytes) / 1e6, took.count(), again.resident_kilobytes());
}

int argument(int argc, char** argv, int at, int fallback) {
  return argc > at ? std::atoi(argv[at]) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  Figures f{argument(argc, argv, 1, 1000), argument(argc, argv, 2, 2000),
            argument(argc, argv, 3, 30)};
  // Both ends of every connection live on this machine: the server's and ours.
  const long files = raise_open_files(f.tables * 5 + 1000);
  if (files < f.tables * 5 + 100) {
    std::fprintf(stderr, "fortuna_load: only %ld open files allowed\n", files);
    return 1;
  }
  char folder[] = "/tmp/fortuna-load-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  ServerProcess server(FORTUNA_BINARY, folder);
  if (!server.port()) {
    std::fprintf(stderr, "fortuna_load: %s\n", server.failure().c_str());
    return 1;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  f.base_kb = server.resident_kilobytes();
  boost::asio::io_context io;
  LoadTables load(io, {boost::asio::ip::make_address("127.0.0.1"), server.port()}, f.tables);
  if (!load.seat_everyone(std::chrono::seconds(300))) {
    std::fprintf(stderr, "fortuna_load: the tables were not all seated in time\n");
    return 1;
  }
  io.run_for(std::chrono::seconds(3));
  f.idle_kb = server.resident_kilobytes();
  const double before = server.processor_seconds();
  const long long written = server.written_bytes();
  load.press_keys(f.rate, std::chrono::seconds(f.seconds));
  f.processor_share = (server.processor_seconds() - before) / f.seconds;
  f.written_per_second = static_cast<double>(server.written_bytes() - written) / f.seconds;
  f.loaded_kb = server.resident_kilobytes();
  report(f, load);
  const int status = server.stop();
  replay(folder);
  std::filesystem::remove_all(folder);
  return status == 0 && load.keys_unanswered() == 0 ? 0 : 1;
}
