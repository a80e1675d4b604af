#include "program/transcript.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "data/translate.h"
#include "program/key_names.h"

namespace fortuna {

namespace {
using Json = nlohmann::ordered_json;

const char* window_name(WindowId window) {
  return window == WindowId::Start ? "start" : "main";
}

void write(std::ostream& out, const Json& event) {
  out << event.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
}
}  // namespace

std::unique_ptr<Transcript> Transcript::open(const std::string& path, std::string& error) {
  std::unique_ptr<Transcript> transcript(new Transcript());
  if (path == "-") {
    transcript->out_ = &std::cout;
  } else if (!path.empty()) {
    transcript->file_.open(path, std::ios::binary | std::ios::trunc);
    if (!transcript->file_) {
      error = format_message(translate("--transcript %s: cannot write the file"), path.c_str());
      return nullptr;
    }
    transcript->out_ = &transcript->file_;
  }
  return transcript;
}

void Transcript::key(Key key) {
  write(*out_, {{"event", "key"}, {"key", key_name(key)}});
}

void Transcript::on_speak(const std::string& text, Wait wait) {
  write(*out_, {{"event", "speak"},
                {"text", text},
                {"wait_before", waits_before(wait)},
                {"wait_after", waits_after(wait)}});
}

void Transcript::on_rate(int rate) {
  write(*out_, {{"event", "rate"}, {"value", rate}});
}
void Transcript::on_voice(int index) {
  write(*out_, {{"event", "voice"}, {"index", index}});
}
void Transcript::beep() {
  write(*out_, {{"event", "beep"}});
}
void Transcript::label(const std::string& text) {
  write(*out_, {{"event", "label"}, {"text", text}});
}

void Transcript::show(WindowId window) {
  write(*out_, {{"event", "show"}, {"window", window_name(window)}});
}

void Transcript::close(WindowId window) {
  write(*out_, {{"event", "close"}, {"window", window_name(window)}});
}

void Transcript::input(const std::string& prompt, const std::string& title,
                       const std::string& default_text) {
  write(*out_,
        {{"event", "input"}, {"prompt", prompt}, {"title", title}, {"default", default_text}});
}

void Transcript::exit(int code) {
  write(*out_, {{"event", "exit"}, {"code", code}});
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
