#include "frontends/terminal/line_editor.h"

// readline.h needs stdio.h first.
#include <langinfo.h>
#include <readline/readline.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "frontends/terminal/terminal_keys.h"

namespace fortuna {

namespace {

// readline holds its state globally; so does the one box open at a time.
struct Box {
  TerminalInput* input = nullptr;
  std::string bytes;  // read and not yet given to readline
  const std::string* initial = nullptr;
  const std::function<void(const std::string&)>* echo = nullptr;
  bool shown = true;
  bool done = false;
  LineEdit result;
};
Box* open_box = nullptr;

// readline works in characters of the locale's encoding: ask for UTF-8 whatever the
// environment says, as the game's texts are.
void use_utf8_characters() {
  std::setlocale(LC_CTYPE, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

void finish(LineEdit::Outcome outcome, int signal = 0) {
  open_box->done = true;
  open_box->result.outcome = outcome;
  open_box->result.signal = signal;
}

void finish_on(const TerminalEvent& event) {
  finish(event.kind == TerminalEvent::Kind::Interrupt ? LineEdit::Outcome::Interrupt
                                                      : LineEdit::Outcome::End,
         event.signal);
}

// False when the input ended or a signal came instead.
bool wait_for_bytes(std::optional<std::chrono::milliseconds> timeout = std::nullopt) {
  if (!open_box->bytes.empty()) return true;
  if (open_box->done) return false;
  TerminalEvent event = open_box->input->next(timeout);
  if (event.kind == TerminalEvent::Kind::Bytes) {
    open_box->bytes += event.bytes;
    return true;
  }
  if (event.kind != TerminalEvent::Kind::Timeout) finish_on(event);
  return false;
}

// readline may ask for more bytes in the middle of a character or a sequence.
int next_byte(FILE*) {
  if (!wait_for_bytes()) return EOF;
  const auto byte = static_cast<unsigned char>(open_box->bytes.front());
  open_box->bytes.erase(0, 1);
  return byte;
}

int bytes_waiting() {
  return !open_box->bytes.empty();
}

int fill_in_initial() {
  rl_insert_text(open_box->initial->c_str());
  return 0;
}

void on_line(char* line) {
  rl_callback_handler_remove();
  if (!open_box->done) {
    if (line) {
      open_box->result.text = line;
      finish(LineEdit::Outcome::Accepted);
    } else {
      finish(LineEdit::Outcome::Cancelled);  // Control+D on an empty line
    }
  }
  std::free(line);
}

// Up and Down have no history to walk here: they say the whole line, as the window's box does.
int say_whole_line(int, int) {
  if (open_box && *open_box->echo && rl_line_buffer) (*open_box->echo)(rl_line_buffer);
  return 0;
}

// readline would set its own mode from the one it finds and put that one back, and so needs the
// cooked terminal to start from: keys typed while the box opens or closes would meet it, echoed
// before the prompt, Enter read as Control+J, Control+U taken by the terminal. Key mode already
// gives readline each byte unechoed, so the terminal stays in it.
void keep_key_mode(int) {
  rl_tty_set_echoing(open_box->shown ? 1 : 0);
}
void leave_key_mode() {}

void configure_readline() {
  static bool configured = false;
  if (configured) return;
  configured = true;
  use_utf8_characters();
  rl_readline_name = "fortuna";
  // Signals are the program's: readline must neither catch them nor touch the environment.
  rl_catch_signals = 0;
  rl_catch_sigwinch = 0;
  rl_change_environment = 0;
  rl_getc_function = next_byte;
  rl_input_available_hook = bytes_waiting;
  rl_startup_hook = fill_in_initial;
  rl_prep_term_function = keep_key_mode;
  rl_deprep_term_function = leave_key_mode;
  rl_initialize();
  // Nothing but the line itself on the screen: no meta mode, no paste brackets.
  rl_variable_bind("enable-meta-key", "off");
  rl_variable_bind("enable-bracketed-paste", "off");
  for (const char* arrow : {"\\e[A", "\\e[B", "\\eOA", "\\eOB"})
    rl_bind_keyseq(arrow, say_whole_line);
}

// An Escape that nothing follows within the key wait is the Escape key.
bool lone_escape(Box& box) {
  if (box.bytes != "\x1b") return false;
  box.bytes.clear();
  if (wait_for_bytes(KeyDecoder::kWaitTime)) {
    box.bytes.insert(0, "\x1b");
    return false;
  }
  return !box.done;
}

bool continues_character(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The bytes of the line the edits of one key changed; echoes a blank by name, as it would
// otherwise be silent.
void feed_readline(Box& box, const std::function<void(const std::string&)>& echo) {
  const std::string before(rl_line_buffer ? rl_line_buffer : "");
  const auto before_point = static_cast<std::size_t>(rl_point);
  rl_callback_read_char();
  if (!echo || box.done || !rl_line_buffer) return;
  const std::string said =
      edit_echo(before, before_point, rl_line_buffer, static_cast<std::size_t>(rl_point));
  if (!said.empty()) echo(said == " " ? std::string("espacio") : said);
}

}  // namespace

std::string edit_echo(std::string_view before, std::size_t before_point, std::string_view after,
                      std::size_t after_point) {
  if (before == after) {
    if (before_point == after_point || after_point >= after.size()) return {};
    std::size_t end = after_point + 1;
    while (end < after.size() && continues_character(after[end])) ++end;
    return std::string(after.substr(after_point, end - after_point));
  }
  const auto inside_character = [](std::string_view text, std::size_t at) {
    return at < text.size() && continues_character(text[at]);
  };
  // Whole characters: a first byte that two different characters share is not shared.
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
    ++prefix;
  while (prefix > 0 && (inside_character(before, prefix) || inside_character(after, prefix)))
    --prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  while (suffix > 0 && inside_character(before, before.size() - suffix)) --suffix;
  const std::string_view longer = after.size() >= before.size() ? after : before;
  return std::string(longer.substr(prefix, longer.size() - suffix - prefix));
}

LineEdit edit_line(TerminalInput& input, const std::string& prompt, const std::string& initial,
                   std::string& typed_ahead, bool shown,
                   const std::function<void(const std::string&)>& echo) {
  Box box;
  box.input = &input;
  box.bytes = std::move(typed_ahead);
  box.initial = &initial;
  box.echo = &echo;
  box.shown = shown;
  open_box = &box;
  configure_readline();
  rl_instream = stdin;
  rl_outstream = stdout;
  std::cout << std::flush;
  rl_callback_handler_install(prompt.c_str(), on_line);

  while (!box.done) {
    if (!wait_for_bytes()) break;
    if (lone_escape(box)) {
      box.bytes.clear();
      finish(LineEdit::Outcome::Cancelled);
      break;
    }
    while (!box.done && !box.bytes.empty() && box.bytes != "\x1b") feed_readline(box, echo);
  }
  if (box.result.outcome != LineEdit::Outcome::Accepted) {
    rl_callback_handler_remove();
    std::fputs("\n", stdout);
  }
  std::fflush(stdout);
  typed_ahead = std::move(box.bytes);
  open_box = nullptr;
  return box.result;
}

}  // namespace fortuna
