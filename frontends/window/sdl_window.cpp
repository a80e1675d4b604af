#include "frontends/window/sdl_window.h"

#include <SDL_ttf.h>

#include <algorithm>

#include "data/translate.h"
#include "run/failure.h"

namespace fortuna {

namespace {
constexpr SDL_Color kBackground{16, 24, 32, 255};
constexpr SDL_Color kText{245, 240, 220, 255};
constexpr SDL_Color kTitle{240, 200, 90, 255};
constexpr SDL_Color kNotice{255, 150, 120, 255};
constexpr SDL_Color kPanel{44, 54, 72, 255};
constexpr SDL_Color kField{250, 250, 250, 255};
constexpr SDL_Color kFieldText{10, 10, 10, 255};
constexpr SDL_Color kSelection{50, 90, 190, 255};
constexpr int kMargin = 16;
constexpr int kLabelMinSize = 12, kLabelMaxSize = 40;
constexpr int kNoticeSize = 16;
constexpr int kBoxTextSize = 20, kBoxTitleSize = 22, kBoxHintSize = 15;

void fill(SDL_Renderer* renderer, SDL_Color color, const SDL_Rect& rect) {
  SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
  SDL_RenderFillRect(renderer, &rect);
}
}  // namespace

WindowPlatform::WindowPlatform(InterruptSource& interrupts) : interrupts_(interrupts) {}

std::optional<SDL_Event> WindowPlatform::next_event() {
  SDL_Event event;
  // A signal writes to a pipe that SDL does not watch: look at it between short waits.
  constexpr int kSignalCheckMilliseconds = 40;
  while (!interrupts_.signal()) {
    if (SDL_WaitEventTimeout(&event, kSignalCheckMilliseconds)) return event;
  }
  return std::nullopt;
}

WindowPlatform::~WindowPlatform() {
  fitted_ = {};
  regular_.reset();
  bold_.reset();
  if (ttf_) TTF_Quit();
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

bool WindowPlatform::open(const FontFiles& fonts, SpeechEngine& echo, std::string notice,
                          std::string& error) {
  echo_ = &echo;
  notice_ = std::move(notice);
  window_ = SDL_CreateWindow(kWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 780, 560,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (!window_) {
    error = format_message(translate("cannot open a window: %s"), SDL_GetError());
    return false;
  }
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    error = format_message(translate("cannot draw in the window: %s"), SDL_GetError());
    return false;
  }
  ttf_ = TTF_Init() == 0;
  if (ttf_) {
    regular_.emplace(fonts.regular);
    bold_.emplace(fonts.bold);
  }
  beeper_.emplace();
  if (start_open_ || main_open_) show();
  return true;
}

void WindowPlatform::show_window(WindowId window) {
  (window == WindowId::Start ? start_open_ : main_open_) = true;
  if (window_) show();
}

void WindowPlatform::show() {
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  // Without a window manager nobody else gives the new window the keyboard.
  SDL_SetWindowInputFocus(window_);
  dirty_ = true;
  present_if_dirty();
}

void WindowPlatform::close_window(WindowId window) {
  (window == WindowId::Start ? start_open_ : main_open_) = false;
  if (!start_open_ && !main_open_ && window_) SDL_HideWindow(window_);
  dirty_ = true;
}

void WindowPlatform::beep() {
  if (beeper_) beeper_->beep();
}

void WindowPlatform::set_label(const std::string& caption) {
  if (caption == label_) return;
  label_ = caption;
  fitted_valid_ = false;
  scroll_ = 0;
  dirty_ = true;
}

void WindowPlatform::scroll(int pages) {
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  scroll_pixels(pages * std::max(1, height - footer_height() - 2 * kMargin - 40));
}

void WindowPlatform::scroll_pixels(int pixels) {
  scroll_ += pixels;
  dirty_ = true;  // the next draw keeps the offset inside the text
}

void WindowPlatform::present_if_dirty() {
  if (!dirty_ || !renderer_) return;
  dirty_ = false;
  draw();
}

bool WindowPlatform::shows_text() {
  return ttf_ && regular_->at(kNoticeSize);
}

int WindowPlatform::footer_height() const {
  return notice_.empty() ? 0 : kNoticeSize * 2 + kMargin;
}

void WindowPlatform::draw_surface(SDL_Surface* surface, int x, int y,
                                  std::optional<SDL_Rect> clip) {
  if (!surface) return;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
  if (!texture) return;
  SDL_Rect source{0, 0, surface->w, surface->h};
  if (clip) source = *clip;
  SDL_Rect target{x, y, source.w, source.h};
  SDL_RenderCopy(renderer_, texture, &source, &target);
  SDL_DestroyTexture(texture);
}

void WindowPlatform::draw_text(FontCache& fonts, int size, const std::string& text, int x, int y,
                               SDL_Color color) {
  TTF_Font* font = fonts.at(size);
  if (!font || text.empty()) return;
  SurfacePtr surface(TTF_RenderUTF8_Blended(font, text.c_str(), color));
  draw_surface(surface.get(), x, y);
}

void WindowPlatform::draw() {
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  SDL_SetRenderDrawColor(renderer_, kBackground.r, kBackground.g, kBackground.b, 255);
  SDL_RenderClear(renderer_);
  if (ttf_) {
    if (main_open_) {
      draw_label(width, height);
    } else if (start_open_) {
      FittedText title =
          fit_text(*bold_, kWindowTitle, width - 2 * kMargin, height / 3, 16, 44, kTitle);
      if (title.surface)
        draw_surface(title.surface.get(), (width - title.surface->w) / 2,
                     (height - footer_height() - title.surface->h) / 2);
    }
    if (!notice_.empty()) {
      SurfacePtr line =
          render_wrapped(regular_->at(kNoticeSize), notice_, width - 2 * kMargin, kNotice);
      if (line) draw_surface(line.get(), kMargin, height - kMargin - line->h);
    }
    if (box_) draw_box(*box_, width, height);
  }
  SDL_RenderPresent(renderer_);
}

void WindowPlatform::draw_label(int width, int height) {
  const int box_width = width - 2 * kMargin;
  const int box_height = height - 2 * kMargin - footer_height();
  if (box_width <= 0 || box_height <= 0) return;
  if (!fitted_valid_ || fitted_width_ != box_width || fitted_height_ != box_height) {
    fitted_ = fit_text(*regular_, label_lines(label_), box_width, box_height, kLabelMinSize,
                       kLabelMaxSize, kText);
    fitted_width_ = box_width;
    fitted_height_ = box_height;
    fitted_valid_ = true;
  }
  SDL_Surface* text = fitted_.surface.get();
  if (!text) return;
  const int overflow = std::max(0, text->h - box_height);
  scroll_ = std::clamp(scroll_, 0, overflow);
  SDL_Rect clip{0, scroll_, text->w, std::min(text->h, box_height)};
  draw_surface(text, kMargin, kMargin, clip);
  if (overflow > 0) {  // where the shown part lies in the whole label
    const int bar = std::max(20, box_height * box_height / text->h);
    const int top = kMargin + (box_height - bar) * scroll_ / overflow;
    fill(renderer_, kTitle, {width - kMargin / 2 - 3, top, 6, bar});
  }
}

void WindowPlatform::draw_box(const Box& box, int width, int height) {
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  fill(renderer_, {0, 0, 0, 160}, {0, 0, width, height});
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);

  const int panel_width = std::min(width - 2 * kMargin, 680);
  const int inner = panel_width - 2 * kMargin;
  SurfacePtr prompt = render_wrapped(regular_->at(kBoxTextSize), box.prompt, inner, kText);
  const int prompt_height = prompt ? prompt->h : 0;
  const int field_height = kBoxTextSize * 2;
  const int panel_height = kMargin + kBoxTitleSize * 2 + prompt_height + kMargin + field_height +
                           kMargin + kBoxHintSize * 2 + kMargin;
  const int left = (width - panel_width) / 2;
  int y = std::max(0, (height - panel_height) / 2);
  fill(renderer_, kPanel, {left, y, panel_width, panel_height});
  SDL_SetRenderDrawColor(renderer_, kTitle.r, kTitle.g, kTitle.b, 255);
  SDL_Rect border{left, y, panel_width, panel_height};
  SDL_RenderDrawRect(renderer_, &border);

  y += kMargin;
  draw_text(*bold_, kBoxTitleSize, box.title, left + kMargin, y, kTitle);
  y += kBoxTitleSize * 2;
  draw_surface(prompt.get(), left + kMargin, y);
  y += prompt_height + kMargin;

  const SDL_Rect field{left + kMargin, y, inner, field_height};
  fill(renderer_, kField, field);
  TTF_Font* font = regular_->at(kBoxTextSize);
  if (font) {
    const std::string& text = box.field.text();
    const std::string before(box.field.before_caret());
    int caret_x = 0, text_width = 0;
    TTF_SizeUTF8(font, before.c_str(), &caret_x, nullptr);
    TTF_SizeUTF8(font, text.c_str(), &text_width, nullptr);
    // Long names slide left so that the caret stays in view.
    const int room = inner - 12;
    const int shift = std::max(0, caret_x - room);
    const int text_y = y + (field_height - TTF_FontHeight(font)) / 2;
    if (box.field.all_selected())
      fill(renderer_, kSelection,
           {field.x + 6, text_y, std::min(text_width - shift, room), TTF_FontHeight(font)});
    if (!text.empty()) {
      SurfacePtr line(TTF_RenderUTF8_Blended(font, text.c_str(),
                                             box.field.all_selected() ? kField : kFieldText));
      if (line)
        draw_surface(line.get(), field.x + 6, text_y,
                     SDL_Rect{shift, 0, std::min(line->w - shift, room), line->h});
    }
    fill(renderer_, kFieldText, {field.x + 6 + caret_x - shift, text_y, 2, TTF_FontHeight(font)});
  }
  y += field_height + kMargin;
  draw_text(*regular_, kBoxHintSize, translate("Enter: accept     Escape: cancel"), left + kMargin,
            y, kText);
}

void WindowPlatform::echo(const std::string& text) {
  if (!text.empty()) echo_->speak(spoken_echo(text));
}

std::string WindowPlatform::input_box(const std::string& prompt, const std::string& title,
                                      const std::string& default_text) {
  box_.emplace(Box{prompt, title, TextField(default_text)});
  TextField& field = box_->field;
  SDL_StartTextInput();
  std::optional<std::string> result;
  while (!result) {
    dirty_ = true;
    present_if_dirty();
    const auto next = next_event();
    if (!next) {
      SDL_StopTextInput();
      box_.reset();
      throw Failure::interrupted(*interrupts_.signal());
    }
    SDL_Event event = *next;
    switch (event.type) {
      case SDL_TEXTINPUT:
        echo(field.type(event.text.text));
        break;
      case SDL_KEYDOWN:
        switch (event.key.keysym.sym) {
          case SDLK_RETURN:
          case SDLK_KP_ENTER:
            result = field.text();
            break;
          case SDLK_ESCAPE:
            result = std::string();
            break;
          case SDLK_BACKSPACE:
            echo(field.backspace());
            break;
          case SDLK_DELETE:
            echo(field.erase_forward());
            break;
          case SDLK_LEFT:
            echo(field.left());
            break;
          case SDLK_RIGHT:
            echo(field.right());
            break;
          case SDLK_HOME:
            echo(field.home());
            break;
          case SDLK_END:
            field.end();
            break;
          case SDLK_UP:
          case SDLK_DOWN:
            echo_->speak(field.text());
            break;
          default:
            break;
        }
        break;
      case SDL_QUIT:
        // Closing the window cancels the box; the close itself is handled once it is gone.
        SDL_PushEvent(&event);
        result = std::string();
        break;
      default:
        break;
    }
  }
  SDL_StopTextInput();
  box_.reset();
  dirty_ = true;
  present_if_dirty();
  return *result;
}

}  // namespace fortuna
