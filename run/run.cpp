#include "run/run.h"

#include <sstream>

#include "data/translate.h"
#include "run/braille_link.h"
#include "run/inbox.h"
#include "run/interrupt_source.h"
#include "run/run_engine.h"
#include "run/session.h"
#include "run/transcript.h"
#include "speech/system_engines.h"
#include "speech/text_engine.h"

namespace fortuna {

namespace {

std::string first_line(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

// The command line's choice, else the settings', else uncontracted.
BrailleCode braille_code(const Options& options, const SettingsFile* settings) {
  if (options.braille_code) return *options.braille_code;
  if (settings && settings->remembered().braille) return *settings->remembered().braille;
  return BrailleCode::Uncontracted;
}

int say_failure(const Failure& failure) {
  if (!failure.message.empty()) report(std::cerr, failure.message);
  return failure.status;
}

// The game, from its greeting to its end, through an opened front end. Speech comes first:
// the greeting is heard while the front end comes up.
int play(const Options& options, const FrontendRow& row, const MakeSession& make_session,
         Frontend& frontend, InterruptSource& interrupts, CheckedFile& standard_output,
         Transcript& transcript) {
  // The engine chain's lines wait until the front end is up: a run that cannot open says one
  // line, its reason.
  std::ostringstream engine_lines;
  EngineChoice chosen =
      choose_engine(options.speech.value_or(row.speech.value_or(system_engines().front())),
                    text_output(options, standard_output), engine_lines, std::cerr);
  const std::string notice = first_line(engine_lines.str());
  if (!chosen.startup_line.empty()) report(engine_lines, chosen.startup_line);
  RunEngine engine(*chosen.engine, interrupts);

  RecordedPlatform platform(frontend.platform(), transcript);
  const auto settings = open_settings(options, row.settings, std::cerr);
  const auto clock = make_clock(options);
  Inbox inbox;
  SessionParts parts{
      engine, platform, *clock, settings.get(), transcript, inbox, frontend.help_extra()};
  const auto session = make_session(parts);
  const auto braille = attach_braille(options.braille, braille_code(options, settings.get()),
                                      transcript, inbox, *session, std::cerr);
  session->speech().set_observer(braille ? braille.get() : &transcript);

  int code = exit_status::kSuccess;
  try {
    session->start();
    const bool prints = dynamic_cast<TextEngine*>(chosen.engine.get()) != nullptr;
    if (const auto failure = frontend.open({engine, prints, notice, inbox}))
      return say_failure(*failure);
    std::cerr << engine_lines.str() << std::flush;
    code = frontend.run(*session);
  } catch (const Failure& failure) {
    // The input that ended with a signal ends as the signal does.
    code = say_failure(interrupts.signal() ? Failure::interrupted(*interrupts.signal()) : failure);
  }
  engine.write_key_timings();
  return code;
}

}  // namespace

int run_game(const Options& options, const FrontendRow& row, const MakeSession& make_session) {
  InterruptSource interrupts;
  CreatedFrontend created = row.create(options, interrupts);
  if (const auto* failure = std::get_if<Failure>(&created)) return say_failure(*failure);
  auto& frontend = *std::get<std::unique_ptr<Frontend>>(created);

  CheckedFile standard_output;
  const auto transcript = Transcript::open(options.transcript_file, standard_output, std::cerr);
  if (!transcript) return exit_status::kBadInput;
  const int code =
      play(options, row, make_session, frontend, interrupts, standard_output, *transcript);
  return finish_run(code, *transcript, standard_output, std::cerr);
}

}  // namespace fortuna
