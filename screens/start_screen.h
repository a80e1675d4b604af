// The first window: who is played by a person, their names, the rate and the voice; Enter
// opens the game, Escape leaves.
#pragma once

#include "data/random.h"
#include "data/roster.h"
#include "screens/keys.h"
#include "screens/platform.h"
#include "speech/channel.h"

namespace fortuna {

class StartScreen {
 public:
  StartScreen(SpeechChannel& speech, Platform& platform, Windows& windows)
      : speech_(speech), platform_(platform), windows_(windows) {}

  // The voices listed, the roster filled (its tempers drawn from the generator as every run
  // starts it) and the greeting.
  void load();
  void key_down(Key key);

  // What the game starts from: the roster as chosen here, and the one generator of the run.
  const Roster& roster() const { return roster_; }
  const Random& random() const { return random_; }
  int position() const { return position_; }

 private:
  void announce_current(Wait wait);
  void toggle_current();
  void rename_current();

  SpeechChannel& speech_;
  Platform& platform_;
  Windows& windows_;
  Random random_;
  Roster roster_{};
  int position_ = 0;
};

}  // namespace fortuna
