#include "server/web_files.h"

#include <array>
#include <string>
#include <utility>

#ifndef FORTUNA_WEB_FROM_BINDIR
#define FORTUNA_WEB_FROM_BINDIR "../share/fortuna/web"
#endif

namespace fortuna {

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The path part of a target, percent-decoded; nothing when it cannot be one.
std::optional<std::string> decoded_path(std::string_view target) {
  target = target.substr(0, target.find_first_of("?#"));
  if (target.empty() || target.front() != '/') return std::nullopt;
  std::string path;
  for (std::size_t i = 0; i < target.size(); ++i) {
    if (target[i] != '%') {
      path += target[i];
      continue;
    }
    if (i + 2 >= target.size() || hex_value(target[i + 1]) < 0 || hex_value(target[i + 2]) < 0)
      return std::nullopt;
    path += static_cast<char>(hex_value(target[i + 1]) * 16 + hex_value(target[i + 2]));
    i += 2;
  }
  if (path.find('\0') != std::string::npos || path.find('\\') != std::string::npos)
    return std::nullopt;
  return path;
}

}  // namespace

std::optional<WebFile> find_web_file(const std::filesystem::path& root, std::string_view target) {
  const auto path = decoded_path(target);
  if (!path) return std::nullopt;
  std::filesystem::path file = root;
  std::size_t start = 1;
  while (start <= path->size()) {
    const std::size_t end = std::min(path->find('/', start), path->size());
    const std::string segment = path->substr(start, end - start);
    // Neither a way up nor a hidden file; an empty segment ("//") names nothing.
    if (!segment.empty() && segment.front() == '.') return std::nullopt;
    if (!segment.empty()) file /= segment;
    start = end + 1;
  }
  std::error_code error, root_error;
  if (std::filesystem::is_directory(file, error)) file /= "index.html";
  const auto real = std::filesystem::canonical(file, error);
  const auto real_root = std::filesystem::canonical(root, root_error);
  if (error || root_error || !std::filesystem::is_regular_file(real, error)) return std::nullopt;
  // A link inside the folder may not lead out of it.
  const auto relative = real.lexically_relative(real_root);
  if (relative.empty() || *relative.begin() == "..") return std::nullopt;
  return WebFile{real, media_type(real)};
}

std::string_view media_type(const std::filesystem::path& file) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kTypes = {{
      {".html", "text/html; charset=utf-8"},
      {".htm", "text/html; charset=utf-8"},
      {".css", "text/css; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".mjs", "text/javascript; charset=utf-8"},
      {".json", "application/json"},
      {".webmanifest", "application/manifest+json"},
      {".txt", "text/plain; charset=utf-8"},
      {".svg", "image/svg+xml"},
      {".png", "image/png"},
      {".ico", "image/x-icon"},
      {".woff2", "font/woff2"},
      {".ogg", "audio/ogg"},
      {".mp3", "audio/mpeg"},
      {".wav", "audio/wav"},
      {".wasm", "application/wasm"},
  }};
  const std::string extension = file.extension().string();
  for (const auto& [known, type] : kTypes)
    if (extension == known) return type;
  return "application/octet-stream";
}

std::optional<std::filesystem::path> find_web_folder(const std::filesystem::path& executable) {
  const auto folder = executable.parent_path();
  for (auto candidate : {folder / "web", folder / FORTUNA_WEB_FROM_BINDIR}) {
    std::error_code error;
    if (std::filesystem::is_directory(candidate, error)) return candidate.lexically_normal();
  }
  return std::nullopt;
}

}  // namespace fortuna
