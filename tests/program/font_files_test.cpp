#include "program/window/font_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/run_fortuna.h"

namespace fortuna::testing {

// fonts-dejavu-core is a dependency of the game's package and of its build.
TEST(FontFiles, DejaVuSansFromTheDataFoldersOrFontconfigAndNothingWithoutFonts) {
  const auto folder = scratch_dir();
  const auto empty_fontconfig = (folder / "fonts.conf").string();
  std::ofstream(empty_fontconfig) << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>"
                                  << (folder / "cache").string() << "</cachedir></fontconfig>\n";
  const struct {
    std::string data_dirs, fontconfig_file;  // empty: unset
    bool found;
  } cases[] = {{"", "", true},
               {(folder / "none").string() + ":/usr/share", empty_fontconfig, true},
               {(folder / "none").string(), "", true},  // from fontconfig
               {(folder / "none").string(), empty_fontconfig, false}};
  for (const auto& c : cases) {
    for (const auto& [name, value] :
         {std::pair{"XDG_DATA_DIRS", c.data_dirs}, std::pair{"FONTCONFIG_FILE", c.fontconfig_file}})
      value.empty() ? unsetenv(name) : setenv(name, value.c_str(), 1);
    const FontFiles files = find_window_fonts();
    EXPECT_EQ(std::filesystem::path(files.regular).filename(), c.found ? "DejaVuSans.ttf" : "");
    EXPECT_EQ(std::filesystem::path(files.bold).filename(), c.found ? "DejaVuSans-Bold.ttf" : "")
        << c.data_dirs;
    EXPECT_EQ(std::filesystem::is_regular_file(files.bold), c.found);
  }
  unsetenv("XDG_DATA_DIRS");
  unsetenv("FONTCONFIG_FILE");
}

}  // namespace fortuna::testing
