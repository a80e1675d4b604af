#include "app/label_view.h"

#include <gtest/gtest.h>

#include <string>

namespace fortuna {
namespace {

constexpr SDL_Color kWhite{255, 255, 255, 255};

class LabelView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    fonts_.emplace(kFontPath);
    if (!fonts_->at(20)) GTEST_SKIP() << "no DejaVuSans at " << kFontPath;
  }
  void TearDown() override {
    fonts_.reset();
    TTF_Quit();
  }
  // A caption as the game writes it: lines joined by CR LF.
  static std::string caption(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i)
      text += "Línea " + std::to_string(i) + ": ¿Quién está en El salón? ¡Año nuevo!\r\n";
    return text;
  }
  int line_skip(int size) { return TTF_FontLineSkip(fonts_->at(size)); }

  std::optional<FontCache> fonts_;
};

TEST_F(LabelView, EveryKindOfLineBreakBecomesOne) {
  EXPECT_EQ(label_lines("uno\r\ndos\rtres\ncuatro"), "uno\ndos\ntres\ncuatro");
  EXPECT_EQ(label_lines("\r\n\r\n"), "\n\n");
  EXPECT_EQ(label_lines("sin saltos"), "sin saltos");
}

TEST_F(LabelView, AShortLabelGetsTheLargestSize) {
  FittedText fitted = fit_text(*fonts_, label_lines(caption(3)), 740, 500, 12, 40, kWhite);
  ASSERT_NE(fitted.surface, nullptr);
  EXPECT_TRUE(fitted.fits);
  EXPECT_EQ(fitted.font_size, 40);
}

TEST_F(LabelView, ALongLabelShrinksUntilEveryLineShows) {
  const int lines = 30;
  FittedText fitted = fit_text(*fonts_, label_lines(caption(lines)), 740, 520, 12, 40, kWhite);
  ASSERT_NE(fitted.surface, nullptr);
  EXPECT_TRUE(fitted.fits);
  EXPECT_LT(fitted.font_size, 40);
  EXPECT_LE(fitted.surface->h, 520);
  EXPECT_GE(fitted.surface->h, lines * line_skip(fitted.font_size)) << "a line went missing";
  // And it is the largest size that does.
  SurfacePtr bigger =
      render_wrapped(fonts_->at(fitted.font_size + 1), label_lines(caption(lines)), 740, kWhite);
  EXPECT_GT(bigger->h, 520);
}

TEST_F(LabelView, ALabelTooLongForTheSmallestSizeKeepsAllItsLinesToScroll) {
  const int lines = 80;
  FittedText fitted = fit_text(*fonts_, label_lines(caption(lines)), 740, 300, 12, 40, kWhite);
  ASSERT_NE(fitted.surface, nullptr);
  EXPECT_FALSE(fitted.fits);
  EXPECT_EQ(fitted.font_size, 12);
  EXPECT_GE(fitted.surface->h, lines * line_skip(12));
}

TEST_F(LabelView, BlankLinesAndWrappedLinesTakeTheirRoom) {
  SurfacePtr one = render_wrapped(fonts_->at(20), "a", 400, kWhite);
  SurfacePtr three = render_wrapped(fonts_->at(20), "a\n\nb", 400, kWhite);
  ASSERT_TRUE(one && three);
  EXPECT_GE(three->h, 3 * line_skip(20) - 2);
  SurfacePtr wrapped = render_wrapped(
      fonts_->at(20), std::string(60, 'x') + " " + std::string(60, 'y'), 400, kWhite);
  ASSERT_TRUE(wrapped);
  EXPECT_LE(wrapped->w, 400);
  EXPECT_GT(wrapped->h, one->h);
}

}  // namespace
}  // namespace fortuna
