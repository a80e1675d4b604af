#include "program/window/font_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

TEST(FontFiles, DejaVuSansInBothWeights) {
  const FontFiles files = find_window_fonts();
  // fonts-dejavu-core is a dependency of the game's package and of its build.
  EXPECT_EQ(std::filesystem::path(files.regular).filename(), "DejaVuSans.ttf");
  EXPECT_EQ(std::filesystem::path(files.bold).filename(), "DejaVuSans-Bold.ttf");
  EXPECT_TRUE(std::filesystem::is_regular_file(files.bold));
}

TEST(FontFiles, NoFontAtAllGivesNoPathRatherThanAFailure) {
  const auto folder = scratch_dir();
  std::ofstream(folder / "fonts.conf")
      << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" << (folder / "cache").string()
      << "</cachedir></fontconfig>\n";
  setenv("FONTCONFIG_FILE", (folder / "fonts.conf").c_str(), 1);
  const FontFiles files = find_window_fonts();
  unsetenv("FONTCONFIG_FILE");
  EXPECT_EQ(files.regular, "");
  EXPECT_EQ(files.bold, "");
}

}  // namespace
}  // namespace fortuna::testing
