#include "support/test_server.h"

#include <gtest/gtest.h>

#include "support/run_fortuna.h"

namespace fortuna::testing {

TestServer::TestServer(HallSettings hall, NetworkSettings network, std::filesystem::path data,
                       TimeOfDay clock)
    : data_(data.empty() ? scratch_dir() : std::move(data)), clock_(clock) {
  auto opened = Journal::open(data_ / "mesas.sqlite");
  if (auto* failure = std::get_if<std::string>(&opened)) ADD_FAILURE() << *failure;
  journal_ = std::move(std::get<std::unique_ptr<Journal>>(opened));
  hall_ = std::make_unique<Hall>(io_, *journal_, clock_, hall);
  hall_->restore();
  network.address = "127.0.0.1";
  network.port = 0;
  auto listening = Network::open(io_, *hall_, network);
  if (auto* failure = std::get_if<std::string>(&listening)) ADD_FAILURE() << *failure;
  network_ = std::move(std::get<std::unique_ptr<Network>>(listening));
  for (int i = 0; i < 2; ++i) threads_.emplace_back([this] { io_.run(); });
}

TestServer::~TestServer() {
  stop();
}

void TestServer::stop() {
  if (threads_.empty()) return;
  network_->stop_listening();
  hall_->stop();
  eventually([this] { return hall_->connection_count() == 0; }, std::chrono::seconds(5));
  io_.stop();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

}  // namespace fortuna::testing
