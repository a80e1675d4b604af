// Text for the window: a font file in any size, and the status label fitted to a box,
// in the largest size that shows every line, scrolling only when even the smallest is too tall.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace fortuna {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// One font file, opened once per size on demand. TTF_Init must have succeeded.
class FontCache {
 public:
  explicit FontCache(std::string path) : path_(std::move(path)) {}
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // Nothing when the file cannot be read.
  TTF_Font* at(int size);

 private:
  std::string path_;
  std::map<int, TTF_Font*> fonts_;
};

// The caption's line breaks (CR LF, or a lone CR or LF) as the renderer wants them.
std::string label_lines(std::string_view caption);

// Text rendered as lines wrapped to width; empty text gives no surface.
SurfacePtr render_wrapped(TTF_Font* font, const std::string& text, int width, SDL_Color color);

struct FittedText {
  SurfacePtr surface;  // null for empty text or a missing font
  int font_size = 0;
  bool fits = true;  // false: taller than the box even at min_size, so it must scroll
};

// The largest size in [min_size, max_size] at which the text, wrapped to width, is no taller
// than height; min_size when none is.
FittedText fit_text(FontCache& fonts, const std::string& text, int width, int height, int min_size,
                    int max_size, SDL_Color color);

}  // namespace fortuna
