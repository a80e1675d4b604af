#include "app/cli_language.h"

#include "data/translate.h"

namespace fortuna {

namespace {

std::string joined(const std::vector<std::string>& names, const char* separator) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : separator) + name;
  return text;
}

// CLI11 starts its argument-count complaints with the option's name: "--keys: 1 required TEXT
// missing", "--version was given a disallowed flag override".
std::string option_named_in(const std::string& message) {
  return message.substr(0, message.find_first_of(": "));
}

// CLI11's own groups and help flag, in this app and every subcommand below it.
void translate_groups(CLI::App& app) {
  for (CLI::Option* option : app.get_options())
    if (option->get_group() == "Options") option->group(translate("Options"));
  if (CLI::Option* help = app.get_help_ptr())
    help->description(translate("Print this help message and exit"));
  for (CLI::App* subcommand : app.get_subcommands([](CLI::App*) { return true; })) {
    if (subcommand->get_group() == "Subcommands") subcommand->group(translate("Subcommands"));
    translate_groups(*subcommand);
  }
}

}  // namespace

void translate_help(CLI::App& app) {
  // One formatter serves the app and its subcommands.
  auto formatter = app.get_formatter();
  formatter->label("Usage", translate("Usage"));
  formatter->label("OPTIONS", translate("OPTIONS"));
  formatter->label("SUBCOMMAND", translate("SUBCOMMAND"));
  formatter->label("TEXT", translate("TEXT"));
  formatter->label("REQUIRED", translate("REQUIRED"));
  formatter->label("Positionals", translate("Positionals"));
  translate_groups(app);
}

CLI::Option* add_choice(CLI::App& app, const std::string& option, std::vector<std::string> names,
                        std::function<void(const std::string&)> take,
                        const std::string& description) {
  const std::string shown = joined(names, "|");
  CLI::Validator one_of(
      [names = std::move(names)](std::string& given) -> std::string {
        for (const auto& name : names)
          if (given == name) return {};
        return format_message(translate("\"%s\" is not one of %s"), given.c_str(),
                              joined(names, ", ").c_str());
      },
      "");
  return app.add_option_function<std::string>(option, std::move(take), description)
      ->check(one_of)
      ->type_name(shown);
}

std::string describe_parse_error(const CLI::ParseError& error, const CLI::App& app) {
  const std::string message = error.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
    const auto extras = app.remaining(true);
    return format_message(translate("unexpected argument: %s"), joined(extras, " ").c_str());
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
    const std::string option = option_named_in(message);
    if (message.find(" missing") != std::string::npos)
      return format_message(translate("%s needs a value"), option.c_str());
    return format_message(translate("%s takes one value, once"), option.c_str());
  }
  if (dynamic_cast<const CLI::RequiredError*>(&error))
    return format_message(translate("%s is needed"), option_named_in(message).c_str());
  // Our own validators' complaints, already translated, behind the option's name.
  if (dynamic_cast<const CLI::ValidationError*>(&error)) return message;
  return format_message(translate("the command line is not understood: %s"), message.c_str());
}

}  // namespace fortuna
