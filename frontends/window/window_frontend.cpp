#include "frontends/window/window_frontend.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

#include "data/translate.h"
#include "frontends/frontend_table.h"
#include "frontends/window/display_check.h"
#include "frontends/window/key_queue_clock.h"
#include "frontends/window/sdl_keys.h"
#include "frontends/window/sdl_window.h"
#include "run/interrupt_source.h"
#include "speech/quiet_stderr.h"

namespace fortuna {

namespace {

bool set_in_environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// SDL's video, the one part of SDL this front end holds: the engine keeps its audio. The reason
// when it cannot draw anywhere.
std::optional<std::string> start_video() {
  {
    QuietStderr quiet;  // the graphics libraries' own complaints would add lines to our one
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return std::string(SDL_GetError());
  }
  // A display that cannot be reached makes SDL fall back to drawing nowhere.
  const std::string driver = SDL_GetCurrentVideoDriver();
  if (set_in_environment("SDL_VIDEODRIVER") || (driver != "offscreen" && driver != "dummy"))
    return std::nullopt;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return translate("the display cannot be reached");
}

std::string first_line(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

Failure no_display(const std::string& reason) {
  return Failure{format_message(translate("no display for a window (%s); use --frontend headless"),
                                first_line(reason).c_str())};
}

class WindowFrontend final : public Frontend {
 public:
  explicit WindowFrontend(InterruptSource& interrupts)
      : interrupts_(interrupts), window_(interrupts) {}

  Platform& platform() override { return window_; }
  std::string help_extra() const override { return {}; }

  std::optional<Failure> open(const FrontendParts& parts) override {
    if (const auto error = start_video()) return no_display(*error);
    video_.on = true;
    SDL_StopTextInput();  // on only while the rename box is open
    queue_clock_.emplace();
    std::string error;
    if (!window_.open(find_window_fonts(), parts.speech, parts.notice, error))
      return Failure{format_message(translate("%s; use --frontend headless"), error.c_str())};
    if (!window_.shows_text())
      report(std::cerr, translate("no font found; the window shows no text"));
    inbox_ = &parts.inbox;
    return std::nullopt;
  }

  int run(Session& session) override {
    // A task posted from another thread wakes SDL's wait with an event of its own.
    const Uint32 wake = SDL_RegisterEvents(1);
    if (wake != static_cast<Uint32>(-1))
      inbox_->set_waker([wake] {
        SDL_Event event{};
        event.type = wake;
        SDL_PushEvent(&event);
      });
    struct Unwake {
      Inbox& inbox;
      ~Unwake() { inbox.set_waker({}); }
    } unwake{*inbox_};
    inbox_->run_pending();  // posted before the waker was there
    SDL_Event event;
    while (!session.ended()) {
      // Keys are served in order as they came; the window is drawn once they are all served.
      if (!SDL_PollEvent(&event)) {
        window_.present_if_dirty();
        const auto next = window_.next_event();
        if (!next) return exit_status::interrupted(*interrupts_.signal());
        event = *next;
      }
      handle(event, session);
      // After each event: the one that woke the loop, or any, as the rename box holds tasks back.
      if (!session.ended()) inbox_->run_pending();
    }
    return exit_status::kSuccess;
  }

 private:
  void handle(const SDL_Event& event, Session& session) {
    switch (event.type) {
      case SDL_KEYDOWN: {
        const auto& keysym = event.key.keysym;
        const std::uint64_t at = queue_clock_->entered_at(event.key);
        const bool paging = keysym.sym == SDLK_PAGEUP || keysym.sym == SDLK_PAGEDOWN;
        if (paging && (keysym.mod & KMOD_CTRL)) {
          // The label is for onlookers: Control with the page keys scrolls it.
          window_.scroll(keysym.sym == SDLK_PAGEUP ? -1 : 1);
        } else if (auto key = translate_key(keysym.sym, keysym.scancode, keysym.mod)) {
          session.deliver(*key, at);
        }
        break;
      }
      case SDL_QUIT:  // the close button: Escape closes either window
        session.deliver(Key{keys::kEscape, {}});
        break;
      case SDL_MOUSEWHEEL:
        window_.scroll_pixels(-40 * event.wheel.y);
        break;
      case SDL_WINDOWEVENT:
        window_.invalidate();
        break;
      default:
        break;
    }
  }

  InterruptSource& interrupts_;
  // Video comes up after the first word and goes after the window.
  struct Video {
    bool on = false;
    ~Video() {
      if (on) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
  } video_;
  WindowPlatform window_;
  std::optional<KeyQueueClock> queue_clock_;
  Inbox* inbox_ = nullptr;
};

}  // namespace

CreatedFrontend create_window_frontend(const Options&, InterruptSource& interrupts) {
  // Signals are ours to handle, whatever SDL would do with them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (!set_in_environment("SDL_VIDEODRIVER") && !set_in_environment("DISPLAY") &&
      !set_in_environment("WAYLAND_DISPLAY"))
    return no_display(translate("neither DISPLAY nor WAYLAND_DISPLAY is set"));
  if (!set_in_environment("SDL_VIDEODRIVER") && set_in_environment("DISPLAY")) {
    switch (check_display(std::getenv("DISPLAY"))) {
      case DisplayReply::Answers:
        break;
      case DisplayReply::Refuses:
        return no_display(translate("the display cannot be reached"));
      case DisplayReply::Silent:
        return no_display(translate("the display does not answer"));
    }
  }
  return std::make_unique<WindowFrontend>(interrupts);
}

// The default wherever the terminal does not fit better.
const FrontendRow kWindowFrontend{
    FrontendKind::Window, "window", &create_window_frontend, std::nullopt, SettingsByDefault::Yes,
    [] { return true; },  nullptr};

}  // namespace fortuna
