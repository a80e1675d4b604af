// A platform that shows nothing: benchmarks measure the game, not a screen.
#pragma once

#include <string>

#include "game/platform.h"

namespace fortuna {

class QuietPlatform final : public Platform {
 public:
  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  void beep() override {}
  void set_label(const std::string&) override {}
};

}  // namespace fortuna
