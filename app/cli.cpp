#include "app/cli.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "app/bench_run.h"
#include "app/engine_choice.h"
#include "app/headless.h"
#include "app/options.h"
#ifdef FORTUNA_HAS_WINDOW
#include "app/window_frontend.h"
#endif

namespace fortuna {

namespace {

constexpr const char* kKeysHelp = R"(
Pantalla de inicio:
  Flechas            recorrer los personajes
  Espacio            seleccionar o no el personaje (lo juega una persona)
  F2                 cambiar el nombre del personaje
  F7 / F8            voz más lenta / más rápida (con Mayúsculas, Control o Alt: paso pequeño)
  F9 / F10           voz anterior / siguiente
  Control            callar la voz
  Enter              empezar la partida
  Escape             salir

Partida:
  Espacio o F2       avanzar el día
  1 a 4              elegir sala
  1 o 2              elegir carta (con Control: descartarla sin usarla)
  0 a 9              elegir objetivo
  C                  sus cartas
  P                  su situación
  H                  el heredero actual
  F5                 repetir el último mensaje
  F6                 descripción corta o larga de las cartas
  F7 / F8, F9 / F10  velocidad y voz
  Control            callar la voz
  1 tras el final    nueva partida
  Escape o Alt+F4    salir
)";

}  // namespace

int run_command_line(int argc, char** argv) {
  CLI::App app{"La fortuna de Zivi Brunilda: un juego de cartas para jugar de oído", "fortuna"};
  app.set_version_flag("--version", std::string("fortuna ") + FORTUNA_VERSION);
  app.footer(kKeysHelp);

  Options options;
  std::string clock_text;
  app.add_option("--frontend", options.frontend, "window or headless")
      ->check(CLI::IsMember({"window", "headless"}));
  app.add_option("--speech", options.speech, "espeak, speechd (speech-dispatcher), text or none")
      ->check(CLI::IsMember({"espeak", "speechd", "text", "none"}));
  bool list_voices = false;
  app.add_flag("--list-voices", list_voices, "print the voices of the chosen engine and exit");
  app.add_option("--keys", options.keys_file, "key script (headless; standard input when absent)");
  app.add_option("--transcript", options.transcript_file,
                 "JSON Lines transcript (- = standard output)");
  app.add_option("--clock", clock_text, "fixed local time HH:MM:SS");
  auto* bench = app.add_subcommand("bench", "play fixed all-computer games and print a signature");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "fortuna: " << e.what() << '\n';
    return 2;
  }
  if (!clock_text.empty()) {
    options.clock = parse_time_of_day(clock_text);
    if (!options.clock) {
      std::cerr << "fortuna: --clock " << clock_text
                << ": expected HH:MM:SS (00:00:00 to 23:59:59)\n";
      return 2;
    }
  }
  if (bench->parsed()) return run_bench(std::cout);
  if (list_voices)
    return print_voices(options.speech.empty() ? "espeak" : options.speech, std::cout, std::cerr);

  // A key script is read by the headless front end: asking for one chooses it.
  if (!options.keys_file.empty()) {
    if (options.frontend == "window") {
      std::cerr << "fortuna: --keys plays a key script headless; it does not go with --frontend "
                   "window\n";
      return 2;
    }
    options.frontend = "headless";
  }
#ifdef FORTUNA_HAS_WINDOW
  if (options.frontend != "headless") return run_window(options);
#else
  if (options.frontend == "window") {
    std::cerr << "fortuna: this build has no window front end; use --frontend headless\n";
    return 2;
  }
#endif
  return run_headless(options);
}

}  // namespace fortuna
