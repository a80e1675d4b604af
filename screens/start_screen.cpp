#include "screens/start_screen.h"

#include <algorithm>

#include "data/text.h"
#include "narration/start.h"
#include "narration/voice.h"
#include "screens/voice_keys.h"

namespace fortuna {

namespace {
// The start screen answers the one keyboard it has; only the greeting is the table's.
const Address kKeyboard = Address::asker(std::nullopt);
}  // namespace

void StartScreen::load() {
  speech_.create_voice();
  speech_.load_voices();
  speech_.set_current_voice(0);
  roster_ = initial_roster(random_);
  position_ = 0;
  if (settings_) {
    const Settings& remembered = settings_->remembered();
    for (std::size_t c = 0; c < roster_.size() && c < remembered.characters.size(); ++c) {
      if (!remembered.characters[c].name.empty()) roster_[c].name = remembered.characters[c].name;
      roster_[c].player = remembered.characters[c].player;
    }
    apply_voice_settings(speech_, remembered);
  }
  speech_.say(greeting(roster_[0]));
}

Action StartScreen::action_for(Key key) const {
  switch (key.code) {
    case keys::kControl:
      return Action::Silence;
    case keys::kLeft:
    case keys::kUp:
    case keys::kRight:
    case keys::kDown:
      return Action::WalkRoster;
    case keys::kSpace:
      return Action::ToggleSelection;
    case keys::kF2:
      return Action::Rename;
    case keys::kEscape:
      return Action::Leave;
    case keys::kEnter:
      return Action::StartGame;
    case keys::kF7:
      return Action::Slower;
    case keys::kF8:
      return Action::Faster;
    case keys::kF9:
      return Action::PreviousVoice;
    case keys::kF10:
      return Action::NextVoice;
    case keys::kF1:
      return Action::Help;
    default:
      return Action::Nothing;
  }
}

std::vector<HelpEntry> StartScreen::help() const {
  std::vector<HelpEntry> entries;
  for (int code :
       {keys::kUp, keys::kDown, keys::kLeft, keys::kRight, keys::kSpace, keys::kF2, keys::kEnter,
        keys::kF7, keys::kF8, keys::kF9, keys::kF10, keys::kControl, keys::kF1, keys::kEscape}) {
    const Key key{code, {}};
    add_to_help(entries, action_for(key), key);
  }
  return entries;
}

void StartScreen::key_down(Key key) {
  switch (action_for(key)) {
    case Action::Silence:
      return speech_.silence(kKeyboard);
    case Action::WalkRoster:
      if (key.code == keys::kLeft || key.code == keys::kUp)
        position_ = (position_ + kCharacterCount - 1) % kCharacterCount;
      else
        position_ = (position_ + 1) % kCharacterCount;
      return announce_current(Wait::None);
    case Action::ToggleSelection:
      return toggle_current();
    case Action::Rename:
      return rename_current();
    case Action::Leave:
      return windows_.close(WindowId::Start);
    case Action::StartGame:
      windows_.show(WindowId::Main);
      return windows_.close(WindowId::Start);
    case Action::Slower:
    case Action::Faster: {
      const std::string said = rate_key(speech_, key, kSlowerOnStartScreen);
      save_settings();
      return speech_.say(said, Wait::None, kKeyboard);
    }
    case Action::PreviousVoice:
    case Action::NextVoice: {
      const std::string said = voice_key(speech_, key);
      save_settings();
      if (!said.empty()) speech_.say(said, Wait::None, kKeyboard);
      return;
    }
    case Action::Help:
      return speech_.say_aside(help_text(help(), help_extra_), kKeyboard);
    default:
      return;
  }
}

void StartScreen::announce_current(Wait wait) {
  speech_.say(roster_entry(roster_[static_cast<std::size_t>(position_)]), wait, kKeyboard);
}

void StartScreen::toggle_current() {
  Character& character = roster_[static_cast<std::size_t>(position_)];
  character.player = character.player == Player::Person ? Player::Computer : Player::Person;
  save_settings();
  speech_.say(selection_word(character.player), Wait::None, kKeyboard);
  if (character.player == Player::Person) speech_.say(kRenameHint, Wait::Before, kKeyboard);
}

void StartScreen::rename_current() {
  Character& character = roster_[static_cast<std::size_t>(position_)];
  speech_.say(rename_question(character), Wait::None, kKeyboard);
  // Whatever a front end returns, a name is valid UTF-8.
  std::string name = repair_utf8(platform_.input_box(kRenamePrompt, kRenameTitle, character.name));
  if (name.empty()) {
    speech_.say(kRenameCancelled, Wait::None, kKeyboard);
    return;
  }
  character.name = std::move(name);
  save_settings();
  announce_current(Wait::Before);
}

void StartScreen::save_settings() {
  if (!settings_) return;
  Settings settings = settings_->remembered();
  settings.characters.clear();
  for (const Character& character : roster_)
    settings.characters.push_back({character.name, character.player});
  keep_voice_settings(speech_, settings);
  settings_->save(settings);
}

}  // namespace fortuna
