#include "program/window/font_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

// Sets an environment variable for the life of the object; empty unsets it.
class Variable {
 public:
  Variable(const char* name, const std::string& value) : name_(name) {
    value.empty() ? unsetenv(name) : setenv(name, value.c_str(), 1);
  }
  ~Variable() { unsetenv(name_); }
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;

 private:
  const char* name_;
};

// fonts-dejavu-core is a dependency of the game's package and of its build.
TEST(FontFiles, DejaVuSansFromTheDataFoldersOrFontconfigAndNothingWithoutFonts) {
  const auto folder = scratch_dir();
  std::ofstream(folder / "fonts.conf")
      << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" << (folder / "cache").string()
      << "</cachedir></fontconfig>\n";
  const struct {
    const char* case_name;
    std::string data_dirs, fontconfig_file;
    bool found;
  } cases[] = {
      {"the data folders", "", "", true},
      {"a data folder without it, then the system's", (folder / "none").string() + ":/usr/share",
       (folder / "fonts.conf").string(), true},
      {"fontconfig", (folder / "none").string(), "", true},
      {"no font anywhere", (folder / "none").string(), (folder / "fonts.conf").string(), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.case_name);
    const Variable data_dirs("XDG_DATA_DIRS", c.data_dirs);
    const Variable fontconfig_file("FONTCONFIG_FILE", c.fontconfig_file);
    const FontFiles files = find_window_fonts();
    EXPECT_EQ(std::filesystem::path(files.regular).filename(), c.found ? "DejaVuSans.ttf" : "");
    EXPECT_EQ(std::filesystem::path(files.bold).filename(), c.found ? "DejaVuSans-Bold.ttf" : "");
    if (c.found) {
      EXPECT_TRUE(std::filesystem::is_regular_file(files.bold));
    }
  }
}

}  // namespace
}  // namespace fortuna::testing
