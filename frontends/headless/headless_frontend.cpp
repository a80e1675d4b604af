#include "frontends/headless/headless_frontend.h"

#include <unistd.h>

#include <iostream>
#include <memory>

#include "data/translate.h"
#include "run/interrupt_source.h"
#include "run/interruptible_engine.h"
#include "run/interruptible_input.h"
#include "run/key_script.h"
#include "run/transcript.h"
#include "screens/program.h"
#include "speech/engines.h"

namespace fortuna {

namespace {

// An input box opened and the script did not answer it.
struct MissingAnswer {
  std::string message;
};

class HeadlessPlatform final : public Platform {
 public:
  explicit HeadlessPlatform(KeyScript& script) : script_(script) {}

  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    auto line = script_.next();
    if (!line)
      throw MissingAnswer{translate("the key script ended where an input box needed an answer")};
    if (line->kind == ScriptLine::Kind::Key)
      throw MissingAnswer{format_message(
          translate("line %d: an input box is open; expected \"text: ...\" or \"cancel\""),
          line->number)};
    return line->kind == ScriptLine::Kind::Text ? line->text : std::string();
  }
  void beep() override {
    if (isatty(STDERR_FILENO)) std::cerr << '\a' << std::flush;
  }
  void set_label(const std::string&) override {}

 private:
  KeyScript& script_;
};

}  // namespace

int run_headless(const Options& options) {
  InterruptSource interrupts;
  InterruptibleInput input_buffer(STDIN_FILENO, interrupts);
  std::istream input(&input_buffer);
  std::optional<KeyScript> script;
  if (!options.keys_file.empty()) {
    std::string error;
    script = KeyScript::from_file(options.keys_file, error);
    if (!script) {
      std::cerr << "fortuna: " << error << '\n';
      return 2;
    }
  } else {
    script = KeyScript::from_stream(input, isatty(STDIN_FILENO) != 0, std::cerr);
  }

  CheckedFile standard_output;
  const auto transcript = Transcript::open(options.transcript_file, standard_output, std::cerr);
  if (!transcript) return 2;

  auto chosen = make_engine(options.speech.empty() ? "none" : options.speech,
                            text_output(options, standard_output), std::cerr);
  InterruptibleEngine engine(*chosen, interrupts);
  const auto clock_owner = make_clock(options);
  Clock& clock = *clock_owner;

  HeadlessPlatform headless(*script);
  RecordedPlatform platform(headless, *transcript);
  const auto settings = open_settings(options, SettingsByDefault::No, std::cerr);
  Program program(engine, platform, clock, settings.get());
  program.speech().set_observer(transcript.get());

  int code = 0;
  try {
    program.start();
    while (!program.ended() && !interrupts.signal()) {
      auto line = script->next();
      if (!line) {
        if (!script->error().empty()) throw MissingAnswer{script->error()};
        break;
      }
      if (line->kind != ScriptLine::Kind::Key)
        throw MissingAnswer{format_message(
            translate("line %d: an input-box answer, but no input box is open"), line->number)};
      transcript->key(line->key);
      program.key_down(line->key);
    }
  } catch (const MissingAnswer& missing) {
    // The input ended because a signal came: that is what the status will tell.
    if (!interrupts.signal())
      std::cerr << "fortuna: "
                << (options.keys_file.empty() ? "" : "--keys " + options.keys_file + ": ")
                << missing.message << '\n';
    code = 2;
  }
  if (const auto signal = interrupts.signal()) code = InterruptSource::exit_status(*signal);
  return finish_run(code, *transcript, standard_output, std::cerr);
}

}  // namespace fortuna
