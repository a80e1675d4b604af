#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "app/cli_language.h"
#include "app/connect_command.h"
#include "app/message_language.h"
#include "data/translate.h"
#include "frontends/frontend_table.h"
#include "run/braille_link.h"
#include "run/failure.h"
#include "run/run.h"
#include "server/server_command.h"
#include "speech/engine_chain.h"
#include "tools/bench/bench_command.h"
#include "tools/simulate/simulate_command.h"

namespace fortuna {

namespace {

// The keys of both screens, after the options; then what the front ends and the settings add.
std::string keys_help() {
  // TRANSLATORS: keep the keys in their column, as wide as it is, and the two-space indent.
  std::string help = std::string("\n") + translate(R"(Start screen:
  Arrows             walk the roster of characters
  Space              select the character or not (a person plays it)
  F2                 rename the character
  F7 / F8            slower / faster voice (with Shift, Control or Alt: a small step)
  F9 / F10           previous / next voice
  Control            silence the voice
  F1                 help: the keys that work now
  Enter              start the game
  Escape             leave
)") + "\n" + translate(R"(Game:
  Space or F2        move the day on
  1 to 4             choose a room
  1 or 2             choose a card (with Control: throw it away unused)
  0 to 9             choose a target
  C                  your cards
  P                  your situation
  H                  the current heir
  F5                 repeat the last message
  F6                 short or long card descriptions
  F7 / F8, F9 / F10  rate and voice
  Control            silence the voice
  F1                 help: the keys that work now
  Page Up / Down     earlier / later messages; Home and End: the first and the last
  1 after the end    new game
  Escape or Alt+F4   leave
)") + "\n" + settings_help();
  for (const FrontendRow* row : built_frontends())
    if (row->keys_help) help += row->keys_help();
  return help;
}

// Where a braille display can be driven: whether to, and which braille.
void add_braille_options(CLI::App& app, Options& options) {
  // TRANSLATORS: the option values (auto, on, off, integral, abreviado) stay as they are.
  add_choice(
      app, "--braille", {"auto", "on", "off"},
      [&options](const std::string& given) {
        options.braille = given == "on"    ? BrailleMode::On
                          : given == "off" ? BrailleMode::Off
                                           : BrailleMode::Auto;
      },
      translate("the texts on a braille display through brltty: auto (when brltty answers), on "
                "(saying why not) or off"));
  add_choice(app, "--braille-code", options.braille_code,
             {{"integral", BrailleCode::Uncontracted}, {"abreviado", BrailleCode::Contracted}},
             translate("uncontracted (integral) or Spanish contracted (abreviado) braille for this "
                       "run; the settings' braille key keeps it"));
}

// --frontend and --speech take what this build has.
void add_run_options(CLI::App& app, Options& options) {
  std::vector<std::pair<std::string, FrontendKind>> frontends;
  for (const FrontendRow* row : built_frontends()) frontends.emplace_back(row->name, row->kind);
  std::vector<std::pair<std::string, EngineKind>> engines;
  for (EngineKind kind : available_engines()) engines.emplace_back(engine_option_name(kind), kind);
  const bool terminal = kTerminalFrontend.create != nullptr;
  const bool sapi = engines.front().second == EngineKind::Sapi;
  // TRANSLATORS: the option values (window, terminal, headless, espeak, speechd, sapi, text,
  // none) stay as they are.
  add_choice(app, "--frontend", options.frontend, frontends,
             terminal ? translate("where to play: in a window, in this terminal, or headless from "
                                  "key scripts")
                      : translate("where to play: in a window, or headless from key scripts"));
  add_choice(app, "--speech", options.speech, engines,
             sapi ? translate("the voice: sapi (the Windows voices), text (a line a message) or "
                              "none")
                  : translate("the voice: espeak (espeak-ng), speechd (speech-dispatcher), text "
                              "(a line a message) or none"));
  app.add_option("--keys", options.keys_file,
                 translate("key script (headless; standard input when absent)"))
      ->type_name(translate("FILE"));
  app.add_option("--transcript", options.transcript_file,
                 translate("JSON Lines transcript (- = standard output)"))
      ->type_name(translate("FILE"));
  app.add_option_function<std::string>(
         "--clock",
         [&options](const std::string& text) {
           options.clock = parse_time_of_day(text);
           if (!options.clock)
             throw CLI::ValidationError(format_message(
                 translate("--clock %s: expected HH:MM:SS (00:00:00 to 23:59:59)"), text.c_str()));
         },
         translate("fixed local time HH:MM:SS"))
      ->type_name("HH:MM:SS");
  if (braille_built()) add_braille_options(app, options);
  auto* settings_file =
      app.add_option("--settings", options.settings_file,
                     translate("settings file (headless reads none unless given)"))
          ->type_name(translate("FILE"));
  app.add_flag("--no-settings", options.no_settings, translate("neither read nor save settings"))
      ->excludes(settings_file);
}

int say_failure(const Failure& failure) {
  report(std::cerr, failure.message);
  return failure.status;
}

}  // namespace

int run_command_line(int argc, char** argv) {
  start_messages();
  CLI::App app{translate("La fortuna de Zivi Brunilda: a card game played by ear"), kProgramName};
  app.set_version_flag("--version", std::string(kProgramName) + " " + FORTUNA_VERSION,
                       translate("Display program version information and exit"));
  app.footer(keys_help());

  Options options;
  add_run_options(app, options);
  bool list_voices = false;
  app.add_flag("--list-voices", list_voices,
               translate("print the voices of the chosen engine and exit"));
  auto* bench =
      app.add_subcommand("bench", translate("play fixed all-computer games and print a signature"));
  SimulateOptions simulate_options;
  auto* simulate = add_simulate_command(app, simulate_options);
  ConnectOptions connect_options;
  auto* connect = add_connect_command(app, connect_options);
  ServerOptions server_options;
  auto* server = add_server_command(app, server_options);

  translate_help(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return say_failure(Failure{describe_parse_error(e, app)});
  }
  if (bench->parsed()) return run_bench(std::cout);
  if (simulate->parsed()) return run_simulate(simulate_options);
  if (server && server->parsed()) return run_server(server_options);
  if (list_voices) return print_voices(options.speech, std::cout, std::cerr);

  std::variant<MakeSession, Failure> session = make_local_session;
  if (connect->parsed()) session = connect_session(connect_options);
  if (const auto* failure = std::get_if<Failure>(&session)) return say_failure(*failure);
  const auto chosen = choose_frontend(options);
  if (const auto* failure = std::get_if<Failure>(&chosen)) return say_failure(*failure);
  return run_game(options, *std::get<const FrontendRow*>(chosen), std::get<MakeSession>(session));
}

}  // namespace fortuna
