// Runs the built program with a key script and reads back its transcript.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace fortuna::testing {

struct RunResult {
  int exit_code = -1;
  std::string out, err;                     // standard output and error
  std::vector<nlohmann::json> events;       // the transcript, one object a line
  std::vector<std::string> spoken() const;  // the "speak" texts, in order
  std::vector<std::string> labels() const;  // the "label" texts, in order
};

// build/fortuna --frontend headless --keys <script written to a file> --transcript <file>
// followed by extra_args (e.g. {"--clock", "10:20:30"}).
RunResult run_fortuna(const std::string& script, const std::vector<std::string>& extra_args = {});

// Small helpers for tests that run programs: a file's bytes, a fresh scratch folder, a text
// quoted for the shell.
std::string read_file(const std::filesystem::path& path);
std::filesystem::path scratch_dir();
std::string shell_quote(const std::string& text);

// Runs the program with exactly these arguments (no script, no transcript added).
RunResult run_fortuna_raw(const std::vector<std::string>& args, const std::string& stdin_text = "");

}  // namespace fortuna::testing
