#include "frontends/window/label_view.h"

namespace fortuna {

FontCache::~FontCache() {
  for (auto& [size, font] : fonts_)
    if (font) TTF_CloseFont(font);
}

TTF_Font* FontCache::at(int size) {
  auto found = fonts_.find(size);
  if (found != fonts_.end()) return found->second;
  TTF_Font* font = TTF_OpenFont(path_.c_str(), size);
  fonts_.emplace(size, font);
  return font;
}

std::string label_lines(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '\r') {
      out += '\n';
      if (i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
    } else {
      out += caption[i];
    }
  }
  return out;
}

SurfacePtr render_wrapped(TTF_Font* font, const std::string& text, int width, SDL_Color color) {
  if (!font || text.empty() || width <= 0) return nullptr;
  return SurfacePtr(
      TTF_RenderUTF8_Blended_Wrapped(font, text.c_str(), color, static_cast<Uint32>(width)));
}

FittedText fit_text(FontCache& fonts, const std::string& text, int width, int height, int min_size,
                    int max_size, SDL_Color color) {
  FittedText best;
  if (text.empty()) return best;
  // Heights grow with the size, so a binary search finds the largest that fits.
  int low = min_size, high = max_size;
  while (low <= high) {
    const int size = (low + high) / 2;
    SurfacePtr surface = render_wrapped(fonts.at(size), text, width, color);
    if (!surface) return best;
    if (surface->h <= height) {
      best = {std::move(surface), size, true};
      low = size + 1;
    } else {
      high = size - 1;
    }
  }
  if (!best.surface) {
    best.surface = render_wrapped(fonts.at(min_size), text, width, color);
    best.font_size = min_size;
    best.fits = false;
  }
  return best;
}

}  // namespace fortuna
