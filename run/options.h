// What the command line asked of a run, as types: parsed once, read by the run and the front
// ends.
#pragma once

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "data/clock.h"
#include "run/checked_file.h"
#include "run/settings_file.h"
#include "run/utf8_file.h"
#include "speech/engine_chain.h"

namespace fortuna {

enum class FrontendKind { Window, Terminal, Headless };
// Auto: the display when brltty answers, silence when it does not; On: as auto, saying why not.
enum class BrailleMode { Auto, On, Off };

struct Options {
  std::optional<FrontendKind> frontend;  // nothing: the best this build and place allow
  std::optional<EngineKind> speech;      // nothing: the front end's own default
  std::string keys_file;                 // empty: standard input
  std::string transcript_file;           // empty: none; "-": standard output
  std::optional<TimeOfDay> clock;        // nothing: the system's
  std::string settings_file;             // empty: the front end's default
  bool no_settings = false;
  BrailleMode braille = BrailleMode::Auto;
  std::optional<BrailleCode> braille_code;  // nothing: as the settings say
};

// Where this run keeps its settings: the file asked for, else the usual one when the front end
// keeps them by default; nothing with --no-settings.
enum class SettingsByDefault : bool { No, Yes };
inline std::unique_ptr<SettingsFile> open_settings(const Options& options, SettingsByDefault use,
                                                   std::ostream& messages) {
  if (options.no_settings) return nullptr;
  if (!options.settings_file.empty())
    return std::make_unique<SettingsFile>(path_from_utf8(options.settings_file), messages);
  if (use == SettingsByDefault::No) return nullptr;
  const auto path = SettingsFile::default_path();
  return path ? std::make_unique<SettingsFile>(*path, messages) : nullptr;
}

// Where the text engine prints: standard output, unless the transcript takes it.
inline std::ostream& text_output(const Options& options, CheckedFile& standard_output) {
  return options.transcript_file == "-" ? std::cerr : standard_output.stream();
}

// The clock a run reads: fixed by --clock, else the system's.
inline std::unique_ptr<Clock> make_clock(const Options& options) {
  if (options.clock) return std::make_unique<FixedClock>(*options.clock);
  return std::make_unique<SystemClock>();
}

}  // namespace fortuna
