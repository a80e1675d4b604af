// This build has no BrlAPI: a screen reader brings the console's lines to the display.
#include "run/braille_link.h"

namespace fortuna {

bool braille_built() {
  return false;
}

std::unique_ptr<SpeechObserver> attach_braille(BrailleMode, BrailleCode, SpeechObserver&, Inbox&,
                                               Session&, std::ostream&) {
  return nullptr;
}

}  // namespace fortuna
