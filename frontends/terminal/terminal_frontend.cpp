#include "frontends/terminal/terminal_frontend.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>

#include "data/translate.h"
#include "frontends/terminal/line_editor.h"
#include "frontends/terminal/terminal_input.h"
#include "frontends/terminal/terminal_keys.h"
#include "frontends/terminal/terminal_session.h"
#include "run/interrupt_source.h"
#include "run/interruptible_engine.h"
#include "run/key_names.h"
#include "run/key_timing.h"
#include "run/transcript.h"
#include "screens/program.h"
#include "speech/engines.h"
#include "speech/text_engine.h"

namespace fortuna {

std::string terminal_keys_help() {
  // TRANSLATORS: keep the keys in their column, as wide as it is, and the two-space indent.
  return std::string("\n") + translate(R"(In a terminal (--frontend terminal):
  Tab                silence the voice (a terminal does not send Control alone)
  Alt+0 to Alt+9     as Control+0 to Control+9 (throw a card away)
  L                  show the status label
  Control+C          leave
  When renaming: Enter accepts, Escape cancels; arrows, Home, End,
  Backspace and Control+U edit the line
)");
}

const char* const kTerminalHelp =
    "En esta terminal: tabulador en lugar de Control para callar la voz, Alt y un número en "
    "lugar de Control y un número, y L para leer la etiqueta de estado.";

namespace {

std::uint64_t nanoseconds_of(std::chrono::steady_clock::time_point at) {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count());
}

std::uint64_t steady_nanoseconds() {
  return nanoseconds_of(std::chrono::steady_clock::now());
}

bool set_in_environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Ends the run from inside the game's call to the rename box: the input ended or a signal came.
struct RunEnded {
  int code;
};

class TerminalPlatform final : public Platform {
 public:
  // echo, when set, speaks the rename line's edits (a voice with no screen reader behind it).
  TerminalPlatform(TerminalSession& session, TerminalInput& input, KeyDecoder& decoder,
                   std::function<void(const std::string&)> echo)
      : session_(session), input_(input), decoder_(decoder), echo_(std::move(echo)) {}

  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string& prompt, const std::string&,
                        const std::string& default_text) override {
    std::string typed_ahead = decoder_.take_unread();
    session_.edit_lines(true);
    LineEdit edit = edit_line(input_, prompt + " ", default_text, typed_ahead, echo_);
    session_.edit_lines(false);
    decoder_.feed(typed_ahead);
    switch (edit.outcome) {
      case LineEdit::Outcome::Accepted:
        return edit.text;
      case LineEdit::Outcome::Cancelled:
        return std::string();
      case LineEdit::Outcome::End:
        throw RunEnded{0};
      case LineEdit::Outcome::Interrupt:
        throw RunEnded{InterruptSource::exit_status(edit.signal)};
    }
    return std::string();
  }
  void beep() override {
    if (isatty(STDOUT_FILENO)) std::cout << '\a' << std::flush;
  }
  void set_label(const std::string& caption) override { label_ = caption; }

  // The label as lines of their own, blank ones left out.
  void print_label() const {
    std::size_t start = 0;
    while (start < label_.size()) {
      std::size_t end = label_.find_first_of("\r\n", start);
      if (end == std::string::npos) end = label_.size();
      if (end > start) std::cout << std::string_view(label_).substr(start, end - start) << '\n';
      start = end + 1;
    }
    std::cout << std::flush;
  }

 private:
  TerminalSession& session_;
  TerminalInput& input_;
  KeyDecoder& decoder_;
  std::function<void(const std::string&)> echo_;
  std::string label_;
};

class KeyLoop {
 public:
  KeyLoop(Program& program, TerminalPlatform& terminal, TerminalInput& input, KeyDecoder& decoder,
          Transcript& transcript, TimedEngine& timing)
      : program_(program),
        terminal_(terminal),
        input_(input),
        decoder_(decoder),
        transcript_(transcript),
        timing_(timing) {}

  // The exit status.
  int run() {
    try {
      program_.start();
      while (!program_.ended()) {
        const auto wait = decoder_.waiting() ? std::optional(KeyDecoder::kWaitTime) : std::nullopt;
        TerminalEvent event = input_.next(wait);
        switch (event.kind) {
          case TerminalEvent::Kind::Interrupt:
            return InterruptSource::exit_status(event.signal);
          case TerminalEvent::Kind::End:
            return 0;
          case TerminalEvent::Kind::Timeout:
            if (auto key = decoder_.expire()) deliver(*key, std::nullopt);
            break;
          case TerminalEvent::Kind::Bytes:
            decoder_.feed(event.bytes);
            break;
        }
        const auto read_at = event.kind == TerminalEvent::Kind::Bytes
                                 ? std::optional(nanoseconds_of(event.read_at))
                                 : std::nullopt;
        while (!program_.ended()) {
          auto key = decoder_.next();
          if (!key) break;
          deliver(*key, read_at);
        }
      }
    } catch (const RunEnded& ended) {
      return ended.code;
    }
    return 0;
  }

 private:
  void deliver(Key key, std::optional<std::uint64_t> read_at) {
    // L is the terminal's own: the status label, printed only when asked for.
    if (key.code == 'L' && !key.modifiers.control && !key.modifiers.alt) {
      terminal_.print_label();
      return;
    }
    timing_.key_started(read_at);
    transcript_.key(key);
    program_.key_down(key);
    timing_.key_started(std::nullopt);
  }

  Program& program_;
  TerminalPlatform& terminal_;
  TerminalInput& input_;
  KeyDecoder& decoder_;
  Transcript& transcript_;
  TimedEngine& timing_;
};

}  // namespace

bool terminal_is_the_default(bool input_is_terminal) {
  const bool display = set_in_environment("SDL_VIDEODRIVER") || set_in_environment("DISPLAY") ||
                       set_in_environment("WAYLAND_DISPLAY");
  return !display && input_is_terminal;
}

int run_terminal(const Options& options) {
  CheckedFile standard_output;
  const auto transcript = Transcript::open(options.transcript_file, standard_output, std::cerr);
  if (!transcript) return 2;
  std::string error;
  const char* term_variable = std::getenv("TERM");
  const std::string term = term_variable ? term_variable : "";

  InterruptSource interrupts;
  // A closed pipe on standard output must not end the run before the terminal is given back.
  std::signal(SIGPIPE, SIG_IGN);
  TerminalSession session;
  if (!session.open(term, error)) {
    std::cerr << "fortuna: "
              << format_message(translate("%s; use --frontend headless"), error.c_str()) << '\n';
    return 2;
  }

  auto engine = make_engine(options.speech.empty() ? "text" : options.speech,
                            text_output(options, standard_output), std::cerr);
  InterruptibleEngine interruptible(*engine, interrupts);
  TimedEngine timing(interruptible, steady_nanoseconds, 1'000'000'000);
  const auto clock_owner = make_clock(options);

  TerminalInput input(STDIN_FILENO, interrupts);
  KeyDecoder decoder(term);
  // Printed lines are read by the screen reader, edits and all; a voice says the edits itself.
  std::function<void(const std::string&)> echo;
  if (!dynamic_cast<TextEngine*>(engine.get()))
    echo = [&inner = *engine](const std::string& text) { inner.speak(text); };
  TerminalPlatform terminal(session, input, decoder, std::move(echo));
  RecordedPlatform platform(terminal, *transcript);
  const auto settings = open_settings(options, SettingsByDefault::Yes, std::cerr);
  Program program(timing, platform, *clock_owner, settings.get());
  program.speech().set_observer(transcript.get());
  program.set_help_extra(kTerminalHelp);

  const int code = KeyLoop(program, terminal, input, decoder, *transcript, timing).run();
  session.restore();
  write_key_timings(timing);
  return finish_run(code, *transcript, standard_output, std::cerr);
}

}  // namespace fortuna
