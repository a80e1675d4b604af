// The browser page's files: what a GET names under the web folder, and its media type. Nothing
// outside the folder, nothing hidden.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace fortuna {

struct WebFile {
  std::filesystem::path path;
  std::string_view type;
};

// target is the request's, as sent ("/", "/app.js?v=2", "/img/%C3%B1.png").
std::optional<WebFile> find_web_file(const std::filesystem::path& root, std::string_view target);
std::string_view media_type(const std::filesystem::path& file);

// Where the page is: the folder beside the program in the build tree (a link to the sources'
// web/), or the installed share/fortuna/web; nothing when neither holds it.
std::optional<std::filesystem::path> find_web_folder(const std::filesystem::path& executable);

}  // namespace fortuna
