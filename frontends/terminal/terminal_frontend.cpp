#include "frontends/terminal/terminal_frontend.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "data/translate.h"
#include "frontends/frontend_table.h"
#include "frontends/terminal/line_editor.h"
#include "frontends/terminal/terminal_input.h"
#include "frontends/terminal/terminal_keys.h"
#include "frontends/terminal/terminal_session.h"
#include "run/interrupt_source.h"

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

bool set_in_environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

class TerminalPlatform final : public Platform {
 public:
  TerminalPlatform(TerminalSession& session, TerminalInput& input, KeyDecoder& decoder)
      : session_(session), input_(input), decoder_(decoder) {}
  // Speaks the rename line's edits: for a voice with no screen reader behind it.
  void set_echo(std::function<void(const std::string&)> echo) { echo_ = std::move(echo); }

  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string& prompt, const std::string&,
                        const std::string& default_text) override {
    std::string typed_ahead = decoder_.take_unread();
    LineEdit edit =
        edit_line(input_, prompt + " ", default_text, typed_ahead, session_.echoes(), echo_);
    decoder_.feed(typed_ahead);
    switch (edit.outcome) {
      case LineEdit::Outcome::Accepted:
        return edit.text;
      case LineEdit::Outcome::Cancelled:
        return std::string();
      case LineEdit::Outcome::End:
        throw Failure{{}, exit_status::kSuccess};
      case LineEdit::Outcome::Interrupt:
        throw Failure::interrupted(edit.signal);
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

class TerminalFrontend final : public Frontend {
 public:
  TerminalFrontend(std::string term, InterruptSource& interrupts)
      : term_(std::move(term)), input_(STDIN_FILENO, interrupts), decoder_(term_) {}

  Platform& platform() override { return terminal_; }
  std::string help_extra() const override { return kTerminalHelp; }

  // Key mode comes first, before the first word: a key typed at once must neither be echoed nor
  // wait for a line.
  std::optional<Failure> enter_key_mode() {
    // A closed pipe on standard output must not end the run before the terminal is given back.
    std::signal(SIGPIPE, SIG_IGN);
    std::string error;
    if (!session_.open(term_, error))
      return Failure{format_message(translate("%s; use --frontend headless"), error.c_str())};
    return std::nullopt;
  }

  std::optional<Failure> open(const FrontendParts& parts) override {
    inbox_ = &parts.inbox;
    // Printed lines are read by the screen reader, edits and all; a voice says the edits itself.
    if (!parts.speech_prints)
      terminal_.set_echo([&speech = parts.speech](const std::string& text) { speech.speak(text); });
    return std::nullopt;
  }

  int run(Session& session) override {
    // However the run ends, the terminal is given back before anything more is printed.
    struct Restore {
      TerminalSession& session;
      ~Restore() { session.restore(); }
    } restore{session_};
    while (!session.ended()) {
      const auto wait = decoder_.waiting() ? std::optional(KeyDecoder::kWaitTime) : std::nullopt;
      TerminalEvent event = input_.next(wait, inbox_->fd());
      switch (event.kind) {
        case TerminalEvent::Kind::Interrupt:
          return exit_status::interrupted(event.signal);
        case TerminalEvent::Kind::End:
          return exit_status::kSuccess;
        case TerminalEvent::Kind::Timeout:
          if (auto key = decoder_.expire()) deliver(session, *key, std::nullopt);
          break;
        case TerminalEvent::Kind::Bytes:
          decoder_.feed(event.bytes);
          break;
        case TerminalEvent::Kind::Inbox:
          inbox_->run_pending();
          break;
      }
      const auto read_at =
          event.kind == TerminalEvent::Kind::Bytes ? std::optional(event.read_at) : std::nullopt;
      while (!session.ended()) {
        auto key = decoder_.next();
        if (!key) break;
        deliver(session, *key, read_at);
      }
    }
    return exit_status::kSuccess;
  }

 private:
  void deliver(Session& session, Key key, std::optional<std::uint64_t> read_at) {
    // L is the terminal's own: the status label, printed only when asked for.
    if (key.code == 'L' && !key.modifiers.control && !key.modifiers.alt) {
      terminal_.print_label();
      return;
    }
    session.deliver(key, read_at);
  }

  std::string term_;
  TerminalSession session_;
  TerminalInput input_;
  KeyDecoder decoder_;
  TerminalPlatform terminal_{session_, input_, decoder_};
  Inbox* inbox_ = nullptr;
};

}  // namespace

bool terminal_is_the_default() {
  const bool display = set_in_environment("SDL_VIDEODRIVER") || set_in_environment("DISPLAY") ||
                       set_in_environment("WAYLAND_DISPLAY");
  return !display && isatty(STDIN_FILENO) != 0;
}

CreatedFrontend create_terminal_frontend(const Options&, InterruptSource& interrupts) {
  const char* term_variable = std::getenv("TERM");
  const std::string term = term_variable ? term_variable : "";
  auto frontend = std::make_unique<TerminalFrontend>(term, interrupts);
  if (auto failure = frontend->enter_key_mode()) return std::move(*failure);
  return frontend;
}

const FrontendRow kTerminalFrontend{FrontendKind::Terminal,    "terminal",
                                    &create_terminal_frontend, EngineKind::Text,
                                    SettingsByDefault::Yes,    &terminal_is_the_default,
                                    &terminal_keys_help};

}  // namespace fortuna
