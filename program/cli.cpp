#include "program/cli.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "data/translate.h"
#include "program/bench.h"
#include "program/cli_messages.h"
#include "program/headless.h"
#include "program/messages.h"
#include "program/options.h"
#ifdef FORTUNA_HAS_WINDOW
#include "program/window/window_frontend.h"
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
  1 after the end    new game
  Escape or Alt+F4   leave
)");
}

}  // namespace

int run_command_line(int argc, char** argv) {
  start_messages();
  CLI::App app{translate("La fortuna de Zivi Brunilda: a card game played by ear"), "fortuna"};
  app.set_version_flag("--version", std::string("fortuna ") + FORTUNA_VERSION,
                       translate("Display program version information and exit"));
  app.footer(keys_help());

  Options options;
  std::string clock_text;
  // TRANSLATORS: the option values (window, headless, espeak, text, none) stay as they are.
  add_choice(app, "--frontend", options.frontend, {"window", "headless"},
             translate("where to play: in a window, or headless from a terminal"));
  add_choice(app, "--speech", options.speech, {"espeak", "text", "none"},
             translate("the voice: espeak (espeak-ng), text (a line a message) or none"));
  app.add_option("--keys", options.keys_file,
                 translate("key script (headless; standard input when absent)"))
      ->type_name(translate("FILE"));
  app.add_option("--transcript", options.transcript_file,
                 translate("JSON Lines transcript (- = standard output)"))
      ->type_name(translate("FILE"));
  app.add_option("--clock", clock_text, translate("fixed local time HH:MM:SS"))
      ->type_name("HH:MM:SS");
  auto* bench =
      app.add_subcommand("bench", translate("play fixed all-computer games and print a signature"));

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
  if (!clock_text.empty()) {
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

  // A key script is read by the headless front end: asking for one chooses it.
  if (!options.keys_file.empty()) {
    if (options.frontend == "window") {
      std::cerr << "fortuna: "
                << translate(
                       "--keys plays a key script headless; it does not go with --frontend "
                       "window")
                << '\n';
      return 2;
    }
    options.frontend = "headless";
  }
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

}  // namespace fortuna
