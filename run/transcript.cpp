#include "run/transcript.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "data/translate.h"
#include "run/failure.h"
#include "run/key_names.h"

namespace fortuna {

namespace {
using Json = nlohmann::ordered_json;

const char* window_name(WindowId window) {
  return window == WindowId::Start ? "start" : "main";
}

std::string line(const Json& event) {
  return event.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}
}  // namespace

std::unique_ptr<Transcript> Transcript::open(const std::string& path, CheckedFile& standard_output,
                                             std::ostream& err) {
  std::unique_ptr<Transcript> transcript(new Transcript());
  if (path == "-") {
    transcript->out_ = &standard_output;
  } else if (!path.empty()) {
    std::string error;
    transcript->file_ = CheckedFile::create(path, error);
    if (!transcript->file_) {
      report(err, "--transcript " + error);
      return nullptr;
    }
    transcript->out_ = transcript->file_.get();
  }
  return transcript;
}

void Transcript::write(const Json& event) {
  // Without a file nothing is made: the game says thousands of texts a second in the bench.
  if (out_) write_line(line(event));
}

void Transcript::write_line(const std::string& text) {
  out_->write(text);
}

void Transcript::key(Key key, std::optional<CharacterId> seat) {
  if (!out_) return;
  Json event{{"event", "key"}, {"key", key_name(key)}};
  if (seat) event["seat"] = *seat + 1;
  write(event);
}

void Transcript::on_speak(const std::string& text, Wait wait, const Address& to) {
  if (!out_) return;
  static constexpr const char* kAudiences[] = {"table", "seat", "asker"};
  Json event{{"event", "speak"},
             {"text", text},
             {"wait_before", waits_before(wait)},
             {"wait_after", waits_after(wait)},
             {"audience", kAudiences[static_cast<int>(to.audience)]}};
  // Seats by their number on the start screen; 0 is everyone else at the table.
  if (to.seat) event["seat"] = *to.seat + 1;
  if (to.only) {
    Json only = Json::array();
    for (int listener = 0; listener <= kCharacterCount; ++listener)
      if (to.only & (1u << listener)) only.push_back(listener == kTableListener ? 0 : listener + 1);
    std::sort(only.begin(), only.end());
    event["only"] = only;
  }
  write(event);
}

void Transcript::on_rate(int rate) {
  write(Json{{"event", "rate"}, {"value", rate}});
}
void Transcript::on_voice(int index) {
  write(Json{{"event", "voice"}, {"index", index}});
}
void Transcript::beep() {
  write(Json{{"event", "beep"}});
}
void Transcript::label(const std::string& text) {
  if (!out_) return;
  write(Json{{"event", "label"}, {"text", text}});
}

void Transcript::show(WindowId window) {
  write(Json{{"event", "show"}, {"window", window_name(window)}});
}

void Transcript::close(WindowId window) {
  write(Json{{"event", "close"}, {"window", window_name(window)}});
}

void Transcript::input(const std::string& prompt, const std::string& title,
                       const std::string& default_text) {
  write(Json{{"event", "input"}, {"prompt", prompt}, {"title", title}, {"default", default_text}});
}

std::optional<std::string> Transcript::exit(int code) {
  write(Json{{"event", "exit"}, {"code", code}});
  // Standard output is the front end's to finish.
  if (!file_) return std::nullopt;
  auto failure = file_->finish();
  if (failure) failure = "--transcript " + *failure;
  return failure;
}

int finish_run(int code, Transcript& transcript, CheckedFile& standard_output, std::ostream& err) {
  bool failed = false;
  for (const auto& failure : {transcript.exit(code), standard_output.finish()}) {
    if (!failure) continue;
    report(err, *failure);
    failed = true;
  }
  return failed ? exit_status::kWriteFailed : code;
}

void RecordedPlatform::show_window(WindowId window) {
  if (window == WindowId::Main) transcript_.show(window);
  inner_.show_window(window);
}

void RecordedPlatform::close_window(WindowId window) {
  transcript_.close(window);
  inner_.close_window(window);
}

std::string RecordedPlatform::input_box(const std::string& prompt, const std::string& title,
                                        const std::string& default_text) {
  transcript_.input(prompt, title, default_text);
  return inner_.input_box(prompt, title, default_text);
}

void RecordedPlatform::beep() {
  transcript_.beep();
  inner_.beep();
}

void RecordedPlatform::set_label(const std::string& caption) {
  transcript_.label(caption);
  inner_.set_label(caption);
}

}  // namespace fortuna
