#include "run/checked_file.h"

#include <cctype>
#include <cerrno>
#include <cstring>

#include "data/translate.h"
#include "run/utf8_file.h"

namespace fortuna {

std::string system_reason(int error) {
  std::string reason = std::strerror(error);
  if (!reason.empty() && std::isupper(static_cast<unsigned char>(reason[0])))
    reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
  return reason;
}

CheckedFile::CheckedFile() : CheckedFile(stdout, translate("standard output")) {
  owned_ = false;
}

CheckedFile::CheckedFile(std::FILE* file, std::string name)
    : file_(file), owned_(true), name_(std::move(name)) {}

std::unique_ptr<CheckedFile> CheckedFile::create(const std::string& path, std::string& error) {
  errno = 0;
  std::FILE* file = open_file(path_from_utf8(path), "wb");
  if (!file) {
    error = path + ": " + system_reason(errno);
    return nullptr;
  }
  return std::unique_ptr<CheckedFile>(new CheckedFile(file, path));
}

CheckedFile::~CheckedFile() {
  finish();
}

void CheckedFile::fail() {
  if (error_ == 0) error_ = errno != 0 ? errno : EIO;
}

void CheckedFile::write(std::string_view bytes) {
  if (error_ != 0 || !file_) return;  // the reason of the first failure is the one told
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() || std::fflush(file_) != 0)
    fail();
}

std::optional<std::string> CheckedFile::finish() {
  if (file_) {
    errno = 0;
    if (std::fflush(file_) != 0) fail();
    if (owned_ && std::fclose(file_) != 0) fail();
    file_ = nullptr;
  }
  if (error_ == 0) return std::nullopt;
  return name_ + ": " + system_reason(error_);
}

CheckedFile::Buffer::int_type CheckedFile::Buffer::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof())) pending_.push_back(static_cast<char>(c));
  return traits_type::not_eof(c);
}

std::streamsize CheckedFile::Buffer::xsputn(const char* s, std::streamsize n) {
  pending_.append(s, static_cast<std::size_t>(n));
  return n;
}

int CheckedFile::Buffer::sync() {
  owner_.write(pending_);
  pending_.clear();
  return owner_.error_ == 0 ? 0 : -1;
}

}  // namespace fortuna
