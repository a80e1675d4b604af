// The main window's keys: what a key means depends on the phase of the day.
#include "narration/day.h"
#include "narration/voice.h"
#include "screens/game_screen.h"
#include "screens/voice_keys.h"

namespace fortuna {

void GameScreen::key_down(Key key) {
  if (key.code == keys::kControl) {
    speech_.silence();
  } else if (key.is_digit()) {
    digit_key(key);
  } else if (key.code == keys::kSpace || key.code == keys::kF2) {
    advance();
  } else {
    help_key(key);
  }
}

void GameScreen::digit_key(Key key) {
  const int digit = key.digit();
  switch (game_.phase) {
    case Phase::Rooms:
      if (digit >= 1 && digit <= game_.rooms.open_count) return room_key(digit);
      break;
    case Phase::Cards:
      if (digit == 1 || digit == 2) return card_key(digit, key.modifiers);
      break;
    case Phase::Target:
      return target_key(digit);
    case Phase::Over:
      if (digit == 1) new_game();
      return;
    case Phase::DayStart:
      break;
  }
  platform_.beep();
}

void GameScreen::help_key(Key key) {
  const bool walking = game_.phase == Phase::Rooms || game_.phase == Phase::Cards;
  switch (key.code) {
    case keys::kEscape:
      windows_.close(WindowId::Main);
      break;
    case keys::kF5:
      speech_.repeat();
      break;
    case keys::kF6:
      card_names_ = card_names_ == CardNames::Long ? CardNames::Short : CardNames::Long;
      speech_.say(card_names_text(card_names_));
      break;
    case keys::kF7:
    case keys::kF8:
      rate_key(speech_, key, kSlowerInGame);
      break;
    case keys::kF9:
    case keys::kF10:
      voice_key(speech_, key);
      break;
    case keys::kH:
      speech_.say(heir_text(game_));
      break;
    case keys::kC:
      if (walking && game_.at(game_.current()).player == Player::Person)
        speech_.say(hand_text(game_.at(game_.current()), card_names_));
      break;
    case keys::kP:
      if (game_.phase == Phase::Cards && !game_.at(game_.current()).chosen_slot)
        speech_.say(situation(game_, game_.current(), card_names_));
      break;
    default:
      break;
  }
}

void GameScreen::advance() {
  switch (game_.phase) {
    case Phase::DayStart:
      return go_on_with_rooms(Walk::FromFirst);
    case Phase::Rooms:
      if (!game_.at(game_.current()).room) return speech_.say(choose_a_room_first(game_));
      return go_on_with_cards(Walk::FromFirst);
    case Phase::Cards:
      if (!game_.at(game_.current()).chosen_slot) return speech_.say(kChooseACardFirst);
      return end_day();
    case Phase::Target:
      return speech_.say(target_list(game_));
    case Phase::Over:
      return;
  }
}

void GameScreen::room_key(int digit) {
  if (!place_current(game_, room_at(digit - 1))) return platform_.beep();
  go_on_with_rooms(Walk::FromNext);
}

void GameScreen::card_key(int digit, Modifiers modifiers) {
  const Discard discard = modifiers.control ? Discard::Yes : Discard::No;
  switch (choose_current_card(game_, digit - 1, discard)) {
    case CardAnswer::Refused:
      return platform_.beep();
    case CardAnswer::TargetNeeded:
      speech_.say(kChooseTarget);
      return speech_.say(target_list(game_));
    case CardAnswer::NoTarget:
      speech_.say(kChooseTarget);
      speech_.say(kNoTarget);
      break;
    case CardAnswer::Chosen:
      break;
  }
  go_on_with_cards(Walk::FromNext);
}

void GameScreen::target_key(int digit) {
  if (!choose_target(game_, digit - 1)) return speech_.say(too_few_targets(game_));
  go_on_with_cards(Walk::FromNext);
}

}  // namespace fortuna
