// A platform for tests: remembers beeps, labels and windows; answers input boxes from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "screens/platform.h"

namespace fortuna::testing {

class FakePlatform final : public Platform {
 public:
  void show_window(WindowId window) override { shown.push_back(window); }
  void close_window(WindowId window) override { closed.push_back(window); }
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    ++inputs;
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void beep() override { ++beeps; }
  void set_label(const std::string& caption) override { labels.push_back(caption); }

  std::vector<WindowId> shown, closed;
  std::deque<std::string> answers;  // what the next input boxes return ("" = cancelled)
  std::vector<std::string> labels;
  int inputs = 0, beeps = 0;
};

}  // namespace fortuna::testing
