#include "screens/program.h"

namespace fortuna {

Program::Program(SpeechEngine& engine, Platform& platform, Clock& clock, SettingsStore* settings)
    : speech_(engine),
      platform_(platform),
      start_screen_(speech_, platform, *this, settings),
      game_screen_(speech_, platform, *this, clock, settings) {}

void Program::set_help_extra(std::string extra) {
  start_screen_.set_help_extra(extra);
  game_screen_.set_help_extra(std::move(extra));
}

void Program::start() {
  started_ = true;
  show(WindowId::Start);
}

void Program::key_down(Key key, std::optional<CharacterId> seat) {
  const WindowId window = main_.open ? WindowId::Main : WindowId::Start;
  if (!state(window).open) return;
  if (window == WindowId::Main)
    game_screen_.key_down(key, seat);
  else
    start_screen_.key_down(key);
  if (key.closes_window()) close(window);
}

void Program::show(WindowId window) {
  platform_.show_window(window);
  WindowState& shown = state(window);
  shown.open = true;
  if (shown.loaded) return;
  shown.loaded = true;
  if (window == WindowId::Start)
    start_screen_.load();
  else
    game_screen_.load(start_screen_.roster(), start_screen_.random());
}

void Program::close(WindowId window) {
  WindowState& closed = state(window);
  if (!closed.open) return;
  closed.open = false;
  platform_.close_window(window);
}

}  // namespace fortuna
