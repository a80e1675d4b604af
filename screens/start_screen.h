// The first window: who is played by a person, their names, the rate and the voice; Enter
// opens the game, Escape leaves.
#pragma once

#include <vector>

#include "data/keys.h"
#include "data/random.h"
#include "data/roster.h"
#include "narration/help.h"
#include "screens/platform.h"
#include "screens/settings.h"
#include "speech/channel.h"

namespace fortuna {

class StartScreen {
 public:
  // settings is nothing when nothing is kept between runs.
  StartScreen(SpeechChannel& speech, Platform& platform, Windows& windows, SettingsStore* settings)
      : speech_(speech), platform_(platform), windows_(windows), settings_(settings) {}

  // The voices listed, the roster filled (its tempers drawn from the generator as every run
  // starts it, the names and players as remembered) and the greeting.
  void load();
  void key_down(Key key);
  Action action_for(Key key) const;
  std::vector<HelpEntry> help() const;
  // Said at the end of F1: what a front end reads its own way.
  void set_help_extra(std::string extra) { help_extra_ = std::move(extra); }

  // What the game starts from: the roster as chosen here, and the one generator of the run.
  const Roster& roster() const { return roster_; }
  const Random& random() const { return random_; }
  int position() const { return position_; }

 private:
  void announce_current(Wait wait);
  void toggle_current();
  void rename_current();
  void save_settings();

  SpeechChannel& speech_;
  Platform& platform_;
  Windows& windows_;
  SettingsStore* settings_;
  std::string help_extra_;
  Random random_;
  Roster roster_{};
  int position_ = 0;
};

}  // namespace fortuna
