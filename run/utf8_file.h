// File names are UTF-8 throughout the program. Windows reads a narrow name in the ANSI code page,
// so there a name goes to the system as UTF-16.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace fortuna {

inline std::filesystem::path path_from_utf8(std::string_view name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

inline std::string utf8_of(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

inline std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wide_mode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace fortuna
