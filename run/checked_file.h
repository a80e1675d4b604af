// An output whose every write is checked. The first failure is kept with the system's reason, so
// that a run that could not write what it was asked to says so, instead of ending as if it had.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace fortuna {

class CheckedFile {
 public:
  // Standard output, never closed.
  CheckedFile();
  // A file made anew, or nothing with "NAME: reason" in error.
  static std::unique_ptr<CheckedFile> create(const std::string& path, std::string& error);
  ~CheckedFile();
  CheckedFile(const CheckedFile&) = delete;
  CheckedFile& operator=(const CheckedFile&) = delete;

  // Written and flushed at once: a reader sees each line as soon as it is written.
  void write(std::string_view bytes);
  // For writers that want a stream: what they write goes out when they flush.
  std::ostream& stream() { return stream_; }
  // Flushes and closes a file; the first failure as "NAME: reason", or nothing.
  std::optional<std::string> finish();

 private:
  class Buffer final : public std::streambuf {
   public:
    explicit Buffer(CheckedFile& owner) : owner_(owner) {}

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

   private:
    CheckedFile& owner_;
    std::string pending_;
  };

  CheckedFile(std::FILE* file, std::string name);
  void fail();

  std::FILE* file_;
  bool owned_;
  std::string name_;
  int error_ = 0;
  Buffer buffer_{*this};
  std::ostream stream_{&buffer_};
};

// The system's reason for an error number, as a message shows it: "no such file or directory".
std::string system_reason(int error);

}  // namespace fortuna
