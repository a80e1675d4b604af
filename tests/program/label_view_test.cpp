#include "program/window/label_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "program/window/font_files.h"

namespace fortuna {
namespace {

constexpr SDL_Color kWhite{255, 255, 255, 255};

class LabelView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    const std::string path = find_window_fonts().regular;
    fonts_.emplace(path);
    if (!fonts_->at(20)) GTEST_SKIP() << "no font found; looked for DejaVu Sans";
  }
  void TearDown() override {
    fonts_.reset();
    TTF_Quit();
  }
  int line_skip(int size) { return TTF_FontLineSkip(fonts_->at(size)); }
  std::optional<FontCache> fonts_;
};

TEST_F(LabelView, TheLargestSizeThatShowsEveryLineOrTheSmallestToScroll) {
  const struct {
    int lines, height;
    bool fits;
  } cases[] = {{3, 500, true}, {30, 520, true}, {80, 300, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    std::string caption;  // the game writes CR LF; any break must do
    for (int i = 1; i <= c.lines; ++i)
      caption += "Línea " + std::to_string(i) + ": ¿Quién está en El salón? ¡Año nuevo!" +
                 (i % 3 == 0   ? "\r\n"
                  : i % 3 == 1 ? "\n"
                               : "\r");
    const std::string text = label_lines(caption);
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), c.lines) << "one break each";
    FittedText fitted = fit_text(*fonts_, text, 740, c.height, 12, 40, kWhite);
    ASSERT_NE(fitted.surface, nullptr);
    EXPECT_EQ(fitted.fits, c.fits);
    EXPECT_GE(fitted.surface->h, c.lines * line_skip(fitted.font_size)) << "a line went missing";
    EXPECT_TRUE(c.fits || fitted.font_size == 12);
    EXPECT_TRUE(!c.fits || fitted.surface->h <= c.height);
    EXPECT_TRUE(!c.fits || fitted.font_size == 40 ||
                render_wrapped(fonts_->at(fitted.font_size + 1), text, 740, kWhite)->h > c.height)
        << "a larger size would fit too";
  }
}

}  // namespace
}  // namespace fortuna
