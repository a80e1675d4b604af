#include "screens/start_screen.h"

#include "data/text.h"
#include "narration/start.h"
#include "narration/voice.h"
#include "screens/voice_keys.h"

namespace fortuna {

void StartScreen::load() {
  speech_.create_voice();
  speech_.load_voices();
  speech_.set_current_voice(0);
  roster_ = initial_roster(random_);
  position_ = 0;
  speech_.say(greeting(roster_[0]));
}

void StartScreen::announce_current(Wait wait) {
  speech_.say(roster_entry(roster_[static_cast<std::size_t>(position_)]), wait);
}

void StartScreen::key_down(Key key) {
  switch (key.code) {
    case keys::kControl:
      speech_.silence();
      break;
    case keys::kLeft:
    case keys::kUp:
      position_ = (position_ + kCharacterCount - 1) % kCharacterCount;
      announce_current(Wait::None);
      break;
    case keys::kRight:
    case keys::kDown:
      position_ = (position_ + 1) % kCharacterCount;
      announce_current(Wait::None);
      break;
    case keys::kSpace:
      toggle_current();
      break;
    case keys::kF2:
      rename_current();
      break;
    case keys::kEscape:
      windows_.close(WindowId::Start);
      break;
    case keys::kEnter:
      windows_.show(WindowId::Main);
      windows_.close(WindowId::Start);
      break;
    case keys::kF7:
    case keys::kF8:
      rate_key(speech_, key, kSlowerOnStartScreen);
      break;
    case keys::kF9:
    case keys::kF10:
      voice_key(speech_, key);
      break;
    default:
      break;
  }
}

void StartScreen::toggle_current() {
  Character& character = roster_[static_cast<std::size_t>(position_)];
  character.player = character.player == Player::Person ? Player::Computer : Player::Person;
  speech_.say(selection_word(character.player));
  if (character.player == Player::Person) speech_.say(kRenameHint, Wait::Before);
}

void StartScreen::rename_current() {
  Character& character = roster_[static_cast<std::size_t>(position_)];
  speech_.say(rename_question(character));
  // Whatever a front end returns, a name is valid UTF-8.
  std::string name = repair_utf8(platform_.input_box(kRenamePrompt, kRenameTitle, character.name));
  if (name.empty()) {
    speech_.say(kRenameCancelled);
    return;
  }
  character.name = std::move(name);
  announce_current(Wait::Before);
}

}  // namespace fortuna
