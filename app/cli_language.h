// CLI11 speaking the player's language: the help's headings and the parse errors, which CLI11
// writes in English of its own.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fortuna {

// Translated headings, help flags and groups, in the app and its subcommands. Call once every
// option and subcommand is added.
void translate_help(CLI::App& app);

// An option taking exactly one of the names, shown as "--option a|b|c" in the help, with a
// translated complaint for any other value (CLI::IsMember's is English); take gets the name given.
CLI::Option* add_choice(CLI::App& app, const std::string& option, std::vector<std::string> names,
                        std::function<void(const std::string&)> take,
                        const std::string& description);

// The same, giving the value the name stands for.
template <typename Value>
CLI::Option* add_choice(CLI::App& app, const std::string& option, std::optional<Value>& value,
                        const std::vector<std::pair<std::string, Value>>& choices,
                        const std::string& description) {
  std::vector<std::string> names;
  for (const auto& choice : choices) names.push_back(choice.first);
  const auto take = [&value, choices](const std::string& given) {
    for (const auto& [name, meaning] : choices) value = name == given ? meaning : value;
  };
  return add_choice(app, option, names, take, description);
}

// The one-line message for a failed parse, naming the offending option or argument.
std::string describe_parse_error(const CLI::ParseError& error, const CLI::App& app);

}  // namespace fortuna
