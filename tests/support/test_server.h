// The table server in the test process, on a free loopback port: its hall, its journal in a
// scratch folder, two threads; goodbye to everyone and the threads joined when done.
#pragma once

#include <boost/asio/io_context.hpp>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "server/network.h"

namespace fortuna::testing {

class TestServer {
 public:
  explicit TestServer(HallSettings hall = {}, NetworkSettings network = {},
                      std::filesystem::path data = {}, TimeOfDay clock = {21, 7, 45});
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  unsigned short port() const { return network_->port(); }
  Hall& hall() { return *hall_; }
  const std::filesystem::path& data() const { return data_; }
  // SIGTERM's way: no more connections, a goodbye to each, the threads ended.
  void stop();

 private:
  std::filesystem::path data_;
  FixedClock clock_;
  boost::asio::io_context io_;
  std::unique_ptr<Journal> journal_;
  std::unique_ptr<Hall> hall_;
  std::unique_ptr<Network> network_;
  std::vector<std::thread> threads_;
};

}  // namespace fortuna::testing
