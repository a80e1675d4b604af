// Runs the built program and reads back what it printed and its transcript.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace fortuna::testing {

struct RunResult {
  int exit_code = -1;
  std::string out, err;                // standard output and error
  std::vector<nlohmann::json> events;  // the transcript, one object a line
};

// The program with exactly these arguments and this standard input. The locale variables are
// unset, so its messages are Spanish, except those given in locale ("LANG=en_US.UTF-8").
RunResult run_fortuna_raw(const std::vector<std::string>& args, const std::string& stdin_text = "",
                          const std::vector<std::string>& locale = {});
// --frontend headless --keys <script> --transcript <file> and then extra_args.
RunResult run_fortuna(const std::string& script, const std::vector<std::string>& extra_args = {});

std::string read_file(const std::filesystem::path& path);
// The transcript's events so far; a line still being written is left for the next read.
std::vector<nlohmann::json> read_events(const std::filesystem::path& transcript);
// Polls until done holds; false when the time runs out first.
bool eventually(const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::seconds(20));
// A fresh folder inside the one this test process removes when it ends.
std::filesystem::path scratch_dir();
std::string shell_quote(const std::string& text);

}  // namespace fortuna::testing
