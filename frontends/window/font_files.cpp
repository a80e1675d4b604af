#include "frontends/window/font_files.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

namespace fortuna {

namespace {

struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

std::string best_file(FcConfig* config, int weight) {
  PatternPtr wanted(FcPatternCreate());
  if (!wanted) return {};
  FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
  FcPatternAddInteger(wanted.get(), FC_WEIGHT, weight);
  FcPatternAddInteger(wanted.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(wanted.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, wanted.get(), FcMatchPattern);
  FcDefaultSubstitute(wanted.get());
  FcResult result = FcResultNoMatch;
  PatternPtr found(FcFontMatch(config, wanted.get(), &result));
  FcChar8* file = nullptr;
  if (!found || FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
    return {};
  return reinterpret_cast<const char*>(file);
}

// The file where fonts-dejavu-core installs it, under the first XDG data folder that has it.
std::string in_data_dirs(const char* name) {
  const char* listed = std::getenv("XDG_DATA_DIRS");
  std::istringstream dirs(listed && *listed ? listed : "/usr/local/share:/usr/share");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (dir.empty()) continue;
    const auto file = std::filesystem::path(dir) / "fonts" / "truetype" / "dejavu" / name;
    std::error_code ignored;
    if (std::filesystem::is_regular_file(file, ignored)) return file.string();
  }
  return {};
}

}  // namespace

FontFiles find_window_fonts() {
  FontFiles files{in_data_dirs("DejaVuSans.ttf"), in_data_dirs("DejaVuSans-Bold.ttf")};
  if (!files.regular.empty() && !files.bold.empty()) return files;
  // A configuration of our own, destroyed here: nothing of fontconfig outlives the lookup.
  std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
  if (!config) return {};
  files = {best_file(config.get(), FC_WEIGHT_REGULAR), best_file(config.get(), FC_WEIGHT_BOLD)};
  if (files.bold.empty()) files.bold = files.regular;
  return files;
}

}  // namespace fortuna
