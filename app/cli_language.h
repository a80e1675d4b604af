// CLI11 speaking the player's language: the help's headings and the parse errors, which CLI11
// writes in English of its own.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace fortuna {

// Translated headings, help flags and groups, in the app and its subcommands. Call once every
// option and subcommand is added.
void translate_help(CLI::App& app);

// An option taking exactly one of the names, shown as "--option a|b|c" in the help, with a
// translated complaint for any other value (CLI::IsMember's is English).
CLI::Option* add_choice(CLI::App& app, const std::string& option, std::string& value,
                        std::vector<std::string> names, const std::string& description);

// The one-line message for a failed parse, naming the offending option or argument.
std::string describe_parse_error(const CLI::ParseError& error, const CLI::App& app);

}  // namespace fortuna
