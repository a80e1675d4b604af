// The settings kept between runs, in a small TOML file a person can read and edit:
// $XDG_CONFIG_HOME/fortuna/ajustes.toml, or ~/.config/fortuna/ajustes.toml.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "screens/settings.h"

namespace fortuna {

// Where the settings are kept and how to choose, for --help.
std::string settings_help();

class SettingsFile final : public SettingsStore {
 public:
  // Reads the file. None yet gives the defaults; a damaged one is kept aside under another name,
  // an unreadable one left alone and never written over; either is said in one line on messages.
  SettingsFile(std::filesystem::path path, std::ostream& messages);

  const Settings& remembered() const override { return settings_; }
  // Written whole to a new file that then takes the old one's place, so that a reader, or
  // another program saving at the same time, never sees half a file. A place that cannot be
  // written is said once, and the settings are then only kept for this run.
  void save(const Settings& settings) override;

  // Where the file is when nobody says otherwise; nothing when there is no home folder.
  static std::optional<std::filesystem::path> default_path();

  static std::optional<Settings> parse(std::string_view text, std::string& error);
  static std::string format(const Settings& settings);

 private:
  void say(const std::string& line);

  std::filesystem::path path_;
  std::ostream& messages_;
  Settings settings_;
  bool writable_ = true;
};

}  // namespace fortuna
