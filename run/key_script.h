// Key scripts: one key a line, from the keyboard or from a seat ("3: Space"), or the answer to an
// input box ("text: ..." or "cancel").
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "data/roster.h"
#include "run/key_names.h"

namespace fortuna {

struct ScriptLine {
  enum class Kind { Key, Text, Cancel } kind = Kind::Key;
  Key key;
  std::string text;  // Kind::Text: everything after "text: ", as written
  int number = 0;    // line number in the script, from 1
  // Kind::Key: the seat it comes from ("3: Space", the start-screen number less one); nothing
  // for the keyboard.
  std::optional<CharacterId> seat;
};

// One parsed line: nothing for blank lines and comments, a line, or an error message.
struct ParsedLine {
  std::optional<ScriptLine> line;
  std::string error;
};
ParsedLine parse_script_line(std::string_view text, int number);

// Where the lines come from: a file read and checked whole before anything runs, or a stream
// read line by line as the game asks (a person typing on a terminal).
class KeyScript {
 public:
  // A whole file; on failure the error names the file or the line.
  static std::optional<KeyScript> from_file(const std::string& path, std::string& error);
  // A stream read as it goes; with lenient, a bad line is reported on err and skipped.
  static KeyScript from_stream(std::istream& in, bool lenient, std::ostream& err);

  // The next line; nothing at the end. A bad line of a strict stream sets error().
  std::optional<ScriptLine> next();
  // Whether a line of a whole file comes from a seat: the game is played seated from the start.
  bool seated() const;
  const std::string& error() const { return error_; }

 private:
  KeyScript() = default;
  std::vector<ScriptLine> lines_;
  std::size_t position_ = 0;
  std::istream* stream_ = nullptr;
  std::ostream* err_ = nullptr;
  bool lenient_ = false;
  int stream_line_ = 0;
  std::string error_;
};

}  // namespace fortuna
