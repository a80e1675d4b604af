#include "frontends/headless/headless_frontend.h"

#include <unistd.h>

#include <iostream>
#include <utility>

#include "data/translate.h"
#include "frontends/frontend_table.h"
#include "run/interrupt_source.h"
#include "run/interruptible_input.h"
#include "run/key_script.h"

namespace fortuna {

namespace {

class HeadlessFrontend final : public Frontend, private Platform {
 public:
  HeadlessFrontend(std::string keys_file, InterruptSource& interrupts)
      : keys_file_(std::move(keys_file)), interrupts_(interrupts) {}

  // The script, read whole from its file or line by line from standard input.
  std::optional<Failure> read_script() {
    if (keys_file_.empty()) {
      script_ = KeyScript::from_stream(input_, isatty(STDIN_FILENO) != 0, std::cerr);
      return std::nullopt;
    }
    std::string error;
    script_ = KeyScript::from_file(keys_file_, error);
    if (!script_) return Failure{error};
    return std::nullopt;
  }

  Platform& platform() override { return *this; }
  std::string help_extra() const override { return {}; }
  std::optional<Failure> open(const FrontendParts& parts) override {
    inbox_ = &parts.inbox;
    return std::nullopt;
  }

  int run(Session& session) override {
    // A file's seats hear on their own from the start; a stream's from its first seat's key.
    bool seated = script_->seated();
    if (seated) session.use_seats();
    while (!session.ended() && !interrupts_.signal()) {
      // Other threads' tasks run between lines and while a line is awaited; a script file is
      // read whole at once and never waits.
      inbox_->run_pending();
      if (session.ended()) break;
      if (keys_file_.empty() &&
          input_buffer_.wait_line(*inbox_) == InterruptibleInput::Ready::Inbox)
        continue;
      auto line = script_->next();
      if (!line) {
        if (!script_->error().empty()) throw script_failure(script_->error());
        break;
      }
      if (line->kind != ScriptLine::Kind::Key)
        throw script_failure(format_message(
            translate("line %d: an input-box answer, but no input box is open"), line->number));
      if (line->seat && !std::exchange(seated, true)) session.use_seats();
      session.deliver_from(line->seat, line->key);
    }
    if (const auto signal = interrupts_.signal()) return exit_status::interrupted(*signal);
    return exit_status::kSuccess;
  }

 private:
  Failure script_failure(const std::string& message) const {
    return Failure{(keys_file_.empty() ? "" : "--keys " + keys_file_ + ": ") + message};
  }

  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    auto line = script_->next();
    if (!line)
      throw script_failure(translate("the key script ended where an input box needed an answer"));
    if (line->kind == ScriptLine::Kind::Key)
      throw script_failure(format_message(
          translate("line %d: an input box is open; expected \"text: ...\" or \"cancel\""),
          line->number));
    return line->kind == ScriptLine::Kind::Text ? line->text : std::string();
  }
  void beep() override {
    if (isatty(STDERR_FILENO)) std::cerr << '\a' << std::flush;
  }
  void set_label(const std::string&) override {}

  std::string keys_file_;
  InterruptSource& interrupts_;
  InterruptibleInput input_buffer_{STDIN_FILENO, interrupts_};
  std::istream input_{&input_buffer_};
  std::optional<KeyScript> script_;
  Inbox* inbox_ = nullptr;
};

}  // namespace

CreatedFrontend create_headless_frontend(const Options& options, InterruptSource& interrupts) {
  auto frontend = std::make_unique<HeadlessFrontend>(options.keys_file, interrupts);
  if (auto failure = frontend->read_script()) return std::move(*failure);
  return frontend;
}

const FrontendRow kHeadlessFrontend{FrontendKind::Headless,
                                    "headless",
                                    &create_headless_frontend,
                                    EngineKind::None,
                                    SettingsByDefault::No,
                                    nullptr,
                                    nullptr};

}  // namespace fortuna
