#include "frontends/window/window_frontend.h"

#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "data/translate.h"
#include "frontends/window/key_queue_clock.h"
#include "frontends/window/sdl_keys.h"
#include "frontends/window/sdl_window.h"
#include "run/interrupt_source.h"
#include "run/interruptible_engine.h"
#include "run/key_names.h"
#include "run/key_timing.h"
#include "run/transcript.h"
#include "screens/program.h"
#include "speech/engines.h"
#include "speech/quiet_stderr.h"

namespace fortuna {

namespace {

// Video is the one part of SDL the whole run needs.
bool set_in_environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

class SdlVideo {
 public:
  SdlVideo() {
    // Without a display SDL would fall back to drawing nowhere, unless asked to on purpose.
    if (!set_in_environment("SDL_VIDEODRIVER") && !set_in_environment("DISPLAY") &&
        !set_in_environment("WAYLAND_DISPLAY")) {
      error_ = translate("neither DISPLAY nor WAYLAND_DISPLAY is set");
      return;
    }
    {
      // The graphics libraries' own complaints would add lines to our one.
      QuietStderr quiet;
      ok_ = SDL_Init(SDL_INIT_VIDEO) == 0;
    }
    if (!ok_) {
      error_ = SDL_GetError();
      return;
    }
    // A display that cannot be reached (a stale DISPLAY) makes SDL fall back to drawing nowhere.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (!set_in_environment("SDL_VIDEODRIVER") && (driver == "offscreen" || driver == "dummy")) {
      error_ = translate("the display cannot be reached");
      SDL_Quit();
      ok_ = false;
    }
  }
  ~SdlVideo() {
    if (ok_) SDL_Quit();
  }
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;
  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }

 private:
  bool ok_ = false;
  std::string error_;
};

std::string first_line(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

class Session {
 public:
  Session(Program& program, WindowPlatform& window, Transcript& transcript, TimedEngine& timed,
          KeyQueueClock& queue_clock)
      : program_(program),
        window_(window),
        transcript_(transcript),
        timed_(timed),
        queue_clock_(queue_clock) {}

  // Until the last window closes, or a signal comes (then false).
  bool run() {
    try {
      program_.start();
      SDL_Event event;
      while (!program_.ended()) {
        // Keys are served in order as they came; the window is drawn once they are all served.
        if (!SDL_PollEvent(&event)) {
          window_.present_if_dirty();
          const auto next = window_.next_event();
          if (!next) return false;
          event = *next;
        }
        handle(event);
      }
    } catch (const WindowPlatform::Interrupted&) {
      return false;
    }
    return true;
  }

 private:
  void deliver(Key key) {
    transcript_.key(key);
    program_.key_down(key);
  }

  void handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_KEYDOWN: {
        const auto& keysym = event.key.keysym;
        timed_.key_started(queue_clock_.entered_at(event.key));
        const bool paging = keysym.sym == SDLK_PAGEUP || keysym.sym == SDLK_PAGEDOWN;
        if (paging && (keysym.mod & KMOD_CTRL)) {
          // The label is for onlookers: Control with the page keys scrolls it.
          window_.scroll(keysym.sym == SDLK_PAGEUP ? -1 : 1);
        } else if (auto key = translate_key(keysym.sym, keysym.scancode, keysym.mod)) {
          deliver(*key);
        }
        timed_.key_started(std::nullopt);
        break;
      }
      case SDL_QUIT:  // the close button: Escape closes either window
        deliver(Key{keys::kEscape, {}});
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

  Program& program_;
  WindowPlatform& window_;
  Transcript& transcript_;
  TimedEngine& timed_;
  KeyQueueClock& queue_clock_;
};

}  // namespace

int run_window(const Options& options) {
  // Signals are ours to handle, whatever SDL would do with them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  InterruptSource interrupts;
  SdlVideo video;
  if (!video.ok()) {
    std::cerr << "fortuna: "
              << format_message(translate("no display for a window (%s); use --frontend headless"),
                                first_line(video.error()).c_str())
              << '\n';
    return 2;
  }
  SDL_StopTextInput();  // on only while the rename box is open

  CheckedFile standard_output;
  const auto transcript = Transcript::open(options.transcript_file, standard_output, std::cerr);
  if (!transcript) return 2;
  std::string error;

  // The engine's complaint goes to standard error and stays in sight in the window.
  std::ostringstream engine_errors;
  auto engine = make_engine(options.speech.empty() ? "espeak" : options.speech,
                            text_output(options, standard_output), engine_errors);
  std::cerr << engine_errors.str() << std::flush;

  InterruptibleEngine interruptible(*engine, interrupts);
  WindowPlatform window(interruptible, first_line(engine_errors.str()), interrupts);
  if (!window.open(find_window_fonts(), error)) {
    std::cerr << "fortuna: "
              << format_message(translate("%s; use --frontend headless"), error.c_str()) << '\n';
    return 2;
  }
  if (!window.shows_text())
    std::cerr << "fortuna: " << translate("no font found; the window shows no text") << '\n';

  const auto clock_owner = make_clock(options);
  Clock& clock = *clock_owner;

  KeyQueueClock queue_clock;
  TimedEngine timed(interruptible, SDL_GetPerformanceCounter, SDL_GetPerformanceFrequency());
  RecordedPlatform platform(window, *transcript);
  const auto settings = open_settings(options, SettingsByDefault::Yes, std::cerr);
  Program program(timed, platform, clock, settings.get());
  program.speech().set_observer(transcript.get());

  const bool closed = Session(program, window, *transcript, timed, queue_clock).run();
  write_key_timings(timed);
  const auto signal = interrupts.signal();
  const int code = closed || !signal ? 0 : InterruptSource::exit_status(*signal);
  return finish_run(code, *transcript, standard_output, std::cerr);
}

}  // namespace fortuna
