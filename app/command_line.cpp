#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "app/cli_language.h"
#include "app/message_language.h"
#include "data/translate.h"
#include "frontends/headless/headless_frontend.h"
#include "run/options.h"
#include "speech/engine_choice.h"
#include "tools/bench/bench_command.h"
#include "tools/simulate/simulate_command.h"
#ifdef FORTUNA_HAS_WINDOW
#include "frontends/window/window_frontend.h"
#endif
#ifdef FORTUNA_HAS_TERMINAL
#include <unistd.h>

#include "frontends/terminal/terminal_frontend.h"
#endif

namespace fortuna {

namespace {

// The keys of both screens, after the options.
std::string keys_help() {
  // TRANSLATORS: keep the keys in their column, as wide as it is, and the two-space indent.
  return std::string("\n") + translate(R"(Start screen:
  Arrows             walk the roster of characters
  Space              select the character or not (a person plays it)
  F2                 rename the character
  F7 / F8            slower / faster voice (with Shift, Control or Alt: a small step)
  F9 / F10           previous / next voice
  Control            silence the voice
  F1                 help: the keys that work now
  Enter              start the game
  Escape             leave
)") + "\n" +
         translate(R"(Game:
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
)") + "\n" +
#ifdef _WIN32
         // xgettext:no-c-format
         translate(
             R"(Settings: the names, who plays each character, the rate and the voice are kept in
%APPDATA%\fortuna\ajustes.toml by the window; --settings FILE chooses another file,
--no-settings none. Headless, none is read or saved unless --settings is given.
)");
#else
         translate(
             R"(Settings: the names, who plays each character, the rate and the voice are kept in
$XDG_CONFIG_HOME/fortuna/ajustes.toml (or ~/.config/fortuna/ajustes.toml) by the window and
the terminal; --settings FILE chooses another file, --no-settings none. Headless, none is read
or saved unless --settings is given.
)");
#endif
}

// The front end the options ask for, or the best one there is.
int run_front_end(Options& options) {
  // A key script is read by the headless front end: asking for one chooses it.
  if (!options.keys_file.empty()) {
    if (options.frontend == "window" || options.frontend == "terminal") {
      std::cerr << "fortuna: "
                << format_message(translate("--keys plays a key script headless; it does not go "
                                            "with --frontend %s"),
                                  options.frontend.c_str())
                << '\n';
      return 2;
    }
    options.frontend = "headless";
  }
#ifdef FORTUNA_HAS_TERMINAL
  if (options.frontend.empty() && terminal_is_the_default(isatty(STDIN_FILENO) != 0))
    options.frontend = "terminal";
  if (options.frontend == "terminal") return run_terminal(options);
#endif
#ifdef FORTUNA_HAS_WINDOW
  if (options.frontend != "headless") return run_window(options);
#else
  if (options.frontend == "window") {
    std::cerr << "fortuna: "
              << translate("this build has no window front end; use --frontend headless") << '\n';
    return 2;
  }
#endif
  return run_headless(options);
}

}  // namespace

int run_command_line(int argc, char** argv) {
  start_messages();
  CLI::App app{translate("La fortuna de Zivi Brunilda: a card game played by ear"), "fortuna"};
  app.set_version_flag("--version", std::string("fortuna ") + FORTUNA_VERSION,
                       translate("Display program version information and exit"));
#ifdef FORTUNA_HAS_TERMINAL
  app.footer(keys_help() + terminal_keys_help());
#else
  app.footer(keys_help());
#endif

  Options options;
  std::string clock_text;
  // TRANSLATORS: the option values (window, terminal, headless, espeak, speechd, text, none) stay
  // as they are.
#ifdef _WIN32
  add_choice(app, "--frontend", options.frontend, {"window", "headless"},
             translate("where to play: in a window, or headless from key scripts"));
  add_choice(app, "--speech", options.speech, {"sapi", "text", "none"},
             translate("the voice: sapi (the Windows voices), text (a line a message) or none"));
#else
  add_choice(app, "--frontend", options.frontend, {"window", "terminal", "headless"},
             translate("where to play: in a window, in this terminal, or headless from key "
                       "scripts"));
  add_choice(app, "--speech", options.speech, {"espeak", "speechd", "text", "none"},
             translate("the voice: espeak (espeak-ng), speechd (speech-dispatcher), text (a line "
                       "a message) or none"));
#endif
  bool list_voices = false;
  app.add_flag("--list-voices", list_voices,
               translate("print the voices of the chosen engine and exit"));
  app.add_option("--keys", options.keys_file,
                 translate("key script (headless; standard input when absent)"))
      ->type_name(translate("FILE"));
  app.add_option("--transcript", options.transcript_file,
                 translate("JSON Lines transcript (- = standard output)"))
      ->type_name(translate("FILE"));
  auto* clock = app.add_option("--clock", clock_text, translate("fixed local time HH:MM:SS"))
                    ->type_name("HH:MM:SS");
  auto* settings_file =
      app.add_option("--settings", options.settings_file,
                     translate("settings file (headless reads none unless given)"))
          ->type_name(translate("FILE"));
  app.add_flag("--no-settings", options.no_settings, translate("neither read nor save settings"))
      ->excludes(settings_file);
  auto* bench =
      app.add_subcommand("bench", translate("play fixed all-computer games and print a signature"));
  SimulateOptions simulate_options;
  auto* simulate = add_simulate_command(app, simulate_options);

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
    std::cerr << "fortuna: " << describe_parse_error(e, app) << '\n';
    return 2;
  }
  if (clock->count() > 0) {
    options.clock = parse_time_of_day(clock_text);
    if (!options.clock) {
      std::cerr << "fortuna: "
                << format_message(translate("--clock %s: expected HH:MM:SS (00:00:00 to 23:59:59)"),
                                  clock_text.c_str())
                << '\n';
      return 2;
    }
  }
  if (bench->parsed()) return run_bench(std::cout);
  if (simulate->parsed()) return run_simulate(simulate_options);
  if (list_voices) return print_voices(options.speech, std::cout, std::cerr);

  return run_front_end(options);
}

}  // namespace fortuna
