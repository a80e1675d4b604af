#include "game/program.h"

#include "model/text.h"

namespace fortuna {

Program::Program(SpeechEngine& engine, Platform& platform_in, Clock& clock_in)
    : speech(engine),
      platform(platform_in),
      clock(clock_in),
      start_screen(*this),
      main_window(*this) {}

void Program::start() {
  started_ = true;
  show_window(WindowId::Start);
}

void Program::key_down(std::int16_t code, std::int16_t shift) {
  if (main_open_) {
    main_window.Form_KeyDown(code, shift);
  } else if (start_open_) {
    start_screen.Picture1_KeyDown(code, shift);
  }
}

void Program::show_window(WindowId window) {
  platform.show_window(window);
  if (window == WindowId::Start) {
    start_open_ = true;
    if (!start_loaded_) {
      start_loaded_ = true;
      start_screen.Form_Load();
    }
  } else {
    main_open_ = true;
    if (!main_loaded_) {
      main_loaded_ = true;
      main_window.Form_Load();
    }
  }
}

void Program::close_window(WindowId window) {
  bool& open = window == WindowId::Start ? start_open_ : main_open_;
  if (!open) return;
  open = false;
  platform.close_window(window);
}

std::string Program::input_box(const std::string& prompt, const std::string& title,
                               const std::string& default_text) {
  return repair_utf8(platform.input_box(prompt, title, default_text));
}

}  // namespace fortuna
