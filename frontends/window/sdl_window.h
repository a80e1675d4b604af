// The game's two windows on one SDL window: the start window shows the title, the main
// window its status label; the rename box opens modally inside it and speaks for itself.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>

#include "frontends/window/beeper.h"
#include "frontends/window/font_files.h"
#include "frontends/window/label_view.h"
#include "frontends/window/text_field.h"
#include "run/interrupt_source.h"
#include "screens/platform.h"
#include "speech/engine.h"

namespace fortuna {

inline constexpr const char* kWindowTitle = "La fortuna de Zivi Brunilda";

class WindowPlatform final : public Platform {
 public:
  // interrupts ends the rename box when a signal comes, by throwing a Failure.
  explicit WindowPlatform(InterruptSource& interrupts);
  ~WindowPlatform() override;
  WindowPlatform(const WindowPlatform&) = delete;
  WindowPlatform& operator=(const WindowPlatform&) = delete;

  // The next event, or nothing once a signal has come; waits no longer than a signal needs to
  // be noticed.
  std::optional<SDL_Event> next_event();

  // Creates the window, to write with these fonts, shown at once if the game already showed one
  // of its windows; false with a reason when it cannot. echo speaks the rename box's own echoes,
  // outside the game's speech; notice is a line shown at the foot of the window (empty: none).
  // Until then the game's operations are only remembered.
  bool open(const FontFiles& fonts, SpeechEngine& echo, std::string notice, std::string& error);
  // Whether a font was found to write with; without one the window stays blank.
  bool shows_text();

  void show_window(WindowId window) override;
  void close_window(WindowId window) override;
  std::string input_box(const std::string& prompt, const std::string& title,
                        const std::string& default_text) override;
  void beep() override;
  void set_label(const std::string& caption) override;

  // The window changed size or was uncovered.
  void invalidate() { dirty_ = true; }
  // Moves the label by whole pages (negative: up) when it is too tall to show at once.
  void scroll(int pages);
  void scroll_pixels(int pixels);
  // Draws the window when something changed since the last time.
  void present_if_dirty();

 private:
  struct Box {
    std::string prompt, title;
    TextField field;
  };

  void show();
  void draw();
  void draw_label(int width, int height);
  void draw_box(const Box& box, int width, int height);
  void draw_surface(SDL_Surface* surface, int x, int y, std::optional<SDL_Rect> clip = {});
  void draw_text(FontCache& fonts, int size, const std::string& text, int x, int y,
                 SDL_Color color);
  int footer_height() const;
  void echo(const std::string& text);

  SpeechEngine* echo_ = nullptr;
  InterruptSource& interrupts_;
  std::string notice_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  bool ttf_ = false;
  std::optional<FontCache> regular_, bold_;
  // Opened with the window: its sound device is no reason to delay the first word.
  std::optional<Beeper> beeper_;

  bool start_open_ = false, main_open_ = false;
  bool dirty_ = true;
  std::string label_;
  // The label as last fitted, kept until the text or the window's size changes.
  FittedText fitted_;
  int fitted_width_ = -1, fitted_height_ = -1;
  bool fitted_valid_ = false;
  int scroll_ = 0;
  std::optional<Box> box_;
};

}  // namespace fortuna
