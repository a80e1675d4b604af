#include "program/window/window_frontend.h"

#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "data/translate.h"
#include "program/engines.h"
#include "program/key_names.h"
#include "program/program.h"
#include "program/transcript.h"
#include "program/window/key_timing.h"
#include "program/window/sdl_keys.h"
#include "program/window/sdl_window.h"

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
    ok_ = SDL_Init(SDL_INIT_VIDEO) == 0;
    if (!ok_) error_ = SDL_GetError();
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

// Writes the key timings, one figure in microseconds a line, where FORTUNA_KEY_TIMING says.
void write_timings(const TimedEngine& timed) {
  const char* path = std::getenv("FORTUNA_KEY_TIMING");
  if (!path || !*path) return;
  std::ofstream out(path, std::ios::trunc);
  for (double us : timed.samples_us()) out << us << '\n';
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

  void run() {
    program_.start();
    SDL_Event event;
    while (!program_.ended()) {
      // Keys are served in order as they came; the window is drawn once they are all served.
      if (!SDL_PollEvent(&event)) {
        window_.present_if_dirty();
        if (!SDL_WaitEvent(&event)) break;
      }
      handle(event);
    }
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
        if (auto key = translate_key(keysym.sym, keysym.scancode, keysym.mod)) {
          deliver(*key);
        } else if (keysym.sym == SDLK_PAGEUP || keysym.sym == SDLK_PAGEDOWN) {
          window_.scroll(keysym.sym == SDLK_PAGEUP ? -1 : 1);
        }
        timed_.key_started(0);
        break;
      }
      case SDL_QUIT:  // the close button, or the terminal's Control+C: Escape closes either window
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
  SdlVideo video;
  if (!video.ok()) {
    std::cerr << "fortuna: "
              << format_message(translate("no display for a window (%s); use --frontend headless"),
                                first_line(video.error()).c_str())
              << '\n';
    return 2;
  }
  SDL_StopTextInput();  // on only while the rename box is open

  std::string error;
  const auto transcript = Transcript::open(options.transcript_file, error);
  if (!transcript) {
    std::cerr << "fortuna: " << error << '\n';
    return 2;
  }

  // The engine's complaint goes to standard error and stays in sight in the window.
  std::ostringstream engine_errors;
  auto engine =
      make_engine(options.speech.empty() ? "espeak" : options.speech, std::cout, engine_errors);
  std::cerr << engine_errors.str() << std::flush;

  WindowPlatform window(*engine, first_line(engine_errors.str()));
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
  TimedEngine timed(*engine, SDL_GetPerformanceCounter, SDL_GetPerformanceFrequency());
  RecordedPlatform platform(window, *transcript);
  Program program(timed, platform, clock);
  program.speech().set_observer(transcript.get());

  Session(program, window, *transcript, timed, queue_clock).run();
  transcript->exit(0);
  write_timings(timed);
  return 0;
}

}  // namespace fortuna
