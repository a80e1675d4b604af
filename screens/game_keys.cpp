// The main window's keys: what a key means depends on the phase of the day.
#include <algorithm>

#include "narration/day.h"
#include "narration/help.h"
#include "narration/voice.h"
#include "screens/game_screen.h"
#include "screens/voice_keys.h"

namespace fortuna {

namespace {

// What a player may press, for the help: every key the game reads, Control held for the
// digits only.
std::vector<Key> keys_to_try() {
  std::vector<Key> keys;
  for (int code = keys::k0; code <= keys::k9; ++code) {
    keys.push_back({code, {}});
    keys.push_back({code, {false, true, false}});
  }
  for (int code : {keys::kC, keys::kH, keys::kP, keys::kSpace, keys::kEnter, keys::kEscape,
                   keys::kControl, keys::kPageUp, keys::kPageDown, keys::kHome, keys::kEnd})
    keys.push_back({code, {}});
  for (int code = keys::kF1; code <= keys::kF10; ++code) keys.push_back({code, {}});
  return keys;
}

}  // namespace

void GameScreen::key_down(Key key, std::optional<CharacterId> from) {
  const Action action = action_for(key, from);
  // Out of turn a seat changes nothing: it hears whose turn it is.
  if (from && !may(action, *from)) {
    if (const auto person = on_turn(game_); person && *person != *from)
      return listeners_.say(Address::asker(from), whose_turn(game_, *person));
    return platform_.beep();
  }
  perform(action, key, from);
}

// Choices are made for the character on turn, by its own seat; the day moves on from any seat
// once nobody's answer is awaited.
bool GameScreen::may(Action action, CharacterId seat) const {
  switch (action) {
    case Action::ChooseRoom:
    case Action::ChooseCard:
    case Action::ThrowCardAway:
    case Action::ChooseTarget:
    case Action::WrongTarget:
      return game_.current() == seat;
    case Action::GoOn:
    case Action::AskForARoom:
    case Action::AskForACard:
    case Action::ListTargets:
    case Action::Refuse: {
      const auto person = on_turn(game_);
      return !person || *person == seat;
    }
    default:
      return true;
  }
}

Action GameScreen::action_for(Key key, std::optional<CharacterId> from) const {
  if (key.is_digit()) return digit_action(key);
  const bool walking = game_.phase == Phase::Rooms || game_.phase == Phase::Cards;
  switch (key.code) {
    case keys::kControl:
      return Action::Silence;
    case keys::kF1:
      return Action::Help;
    case keys::kPageUp:
      return Action::HistoryOlder;
    case keys::kPageDown:
      return Action::HistoryNewer;
    case keys::kHome:
      return Action::HistoryOldest;
    case keys::kEnd:
      return Action::HistoryNewest;
    case keys::kEscape:
      return Action::Leave;
    case keys::kF5:
      return Action::Repeat;
    case keys::kF6:
      return Action::ToggleCardNames;
    case keys::kF7:
      return Action::Slower;
    case keys::kF8:
      return Action::Faster;
    case keys::kF9:
      return Action::PreviousVoice;
    case keys::kF10:
      return Action::NextVoice;
    case keys::kH:
      return Action::TellHeir;
    case keys::kC:
      return walking && game_.at(own(from)).player == Player::Person && game_.at(own(from)).alive
                 ? Action::TellCards
                 : Action::Nothing;
    case keys::kP:
      return game_.phase == Phase::Cards && game_.at(own(from)).alive &&
                     !game_.at(own(from)).chosen_slot
                 ? Action::TellSituation
                 : Action::Nothing;
    case keys::kSpace:
    case keys::kF2:
      return advance_action();
    default:
      return Action::Nothing;
  }
}

Action GameScreen::digit_action(Key key) const {
  const int digit = key.digit();
  switch (game_.phase) {
    case Phase::Rooms:
      if (digit < 1 || digit > game_.rooms.open_count) break;
      // Once placed, a character must not stand in a second room.
      return game_.at(game_.current()).room ? Action::Refuse : Action::ChooseRoom;
    case Phase::Cards:
      if (digit != 1 && digit != 2) break;
      // The computer's plays are its own, also once the phase has closed on one of them.
      if (game_.at(game_.current()).player != Player::Person) break;
      return key.modifiers.control ? Action::ThrowCardAway : Action::ChooseCard;
    case Phase::Target:
      return digit >= 1 && digit <= game_.offered_targets.size() ? Action::ChooseTarget
                                                                 : Action::WrongTarget;
    case Phase::Over:
      return digit == 1 ? Action::NewGame : Action::Nothing;
    case Phase::DayStart:
      break;
  }
  return Action::Refuse;
}

Action GameScreen::advance_action() const {
  switch (game_.phase) {
    case Phase::DayStart:
      return Action::GoOn;
    case Phase::Rooms:
      return game_.at(game_.current()).room ? Action::GoOn : Action::AskForARoom;
    case Phase::Cards:
      return game_.at(game_.current()).chosen_slot ? Action::GoOn : Action::AskForACard;
    case Phase::Target:
      return Action::ListTargets;
    case Phase::Over:
      return Action::Nothing;
  }
  return Action::Nothing;
}

std::vector<HelpEntry> GameScreen::help() const {
  std::vector<HelpEntry> entries;
  const bool answered = game_.phase == Phase::Cards && game_.at(game_.current()).chosen_slot;
  for (const Key& key : keys_to_try()) {
    const Action action = action_for(key);
    // Control with a digit is worth naming only where it changes what the digit does.
    if (key.modifiers.control && action == action_for({key.code, {}})) continue;
    // After the last choice of the day, changing it is possible but not what the moment is for.
    const bool leftover =
        answered && (action == Action::ChooseCard || action == Action::TellCards ||
                     action == Action::ThrowCardAway);
    if (action == Action::Nothing || action == Action::Refuse || action == Action::WrongTarget ||
        action == Action::AskForARoom || action == Action::AskForACard || leftover)
      continue;
    add_to_help(entries, action, key);
  }
  return entries;
}

std::vector<std::pair<Key, Action>> GameScreen::choices(CharacterId seat) const {
  static const std::vector<Key> kKeys = [] {
    std::vector<Key> keys;
    for (const bool control : {false, true})
      for (int digit = 1; digit <= 10; ++digit)
        keys.push_back({keys::k0 + digit % 10, {false, control, false}});
    for (int code : {keys::kSpace, keys::kC, keys::kP, keys::kH, keys::kF6})
      keys.push_back({code, {}});
    return keys;
  }();
  const bool answered = game_.phase == Phase::Cards && game_.at(game_.current()).chosen_slot;
  std::vector<std::pair<Key, Action>> found;
  for (const Key& key : kKeys) {
    const Action action = action_for(key, seat);
    if (!may(action, seat)) continue;
    switch (action) {
      case Action::ChooseCard:
      case Action::ThrowCardAway:
      case Action::TellCards:
        // Once the day's last card is chosen, what the moment is for is to go on.
        if (answered) continue;
        [[fallthrough]];
      case Action::ChooseRoom:
      case Action::ChooseTarget:
      case Action::ListTargets:
      case Action::GoOn:
      case Action::NewGame:
      case Action::TellSituation:
      case Action::TellHeir:
      case Action::ToggleCardNames:
        // Control with a digit is a choice of its own only where it does something else.
        if (key.modifiers.control && action == action_for({key.code, {}}, seat)) continue;
        found.emplace_back(key, action);
        break;
      default:
        break;
    }
  }
  return found;
}

void GameScreen::perform(Action action, Key key, std::optional<CharacterId> from) {
  const Address asker = Address::asker(from);
  Listeners::Listener& listener = listeners_.of(from);
  switch (action) {
    case Action::Silence:
      return speech_.silence(asker);
    case Action::Help:
      return listeners_.say_aside(asker, help_text(help(), help_extra_));
    case Action::HistoryOlder:
      return history_step(MessageHistory::Step::Older, from);
    case Action::HistoryNewer:
      return history_step(MessageHistory::Step::Newer, from);
    case Action::HistoryOldest:
      return history_step(MessageHistory::Step::Oldest, from);
    case Action::HistoryNewest:
      return history_step(MessageHistory::Step::Newest, from);
    case Action::Leave:
      return windows_.close(WindowId::Main);
    case Action::Repeat:
      return listeners_.repeat(from);
    case Action::ToggleCardNames:
      listener.names = listener.names == CardNames::Long ? CardNames::Short : CardNames::Long;
      return listeners_.say(asker, card_names_text(listener.names));
    case Action::Slower:
    case Action::Faster:
      return voice_changed(rate_key(speech_, key, kSlowerInGame), from);
    case Action::PreviousVoice:
    case Action::NextVoice:
      return voice_changed(voice_key(speech_, key), from);
    case Action::TellHeir:
      return listeners_.say(asker, heir_text(game_));
    case Action::TellCards:
      return listeners_.say(asker, hand_text(game_.at(own(from)), listener.names));
    case Action::TellSituation:
      return listeners_.say(asker, situation(game_, own(from), listener.names));
    case Action::AskForARoom:
      return listeners_.say(asker, choose_a_room_first(game_));
    case Action::AskForACard:
      return listeners_.say(asker, kChooseACardFirst);
    case Action::ListTargets:
      return listeners_.say(asker, target_list(game_));
    case Action::GoOn:
      if (game_.phase == Phase::DayStart) return go_on_with_rooms(Walk::FromFirst);
      if (game_.phase == Phase::Rooms) return go_on_with_cards(Walk::FromFirst);
      return end_day();
    case Action::ChooseRoom:
      place_current(game_, room_at(key.digit() - 1));
      return go_on_with_rooms(Walk::FromNext);
    case Action::ChooseCard:
    case Action::ThrowCardAway:
      return card_key(key.digit(), key.modifiers);
    case Action::ChooseTarget:
    case Action::WrongTarget:
      return target_key(key.digit(), from);
    case Action::NewGame:
      return new_game();
    case Action::Refuse:
      return platform_.beep();
    default:
      return;
  }
}

void GameScreen::history_step(MessageHistory::Step step, std::optional<CharacterId> from) {
  const MessageHistory::Entry entry = listeners_.of(from).history.step(step);
  if (entry.text)
    listeners_.say_aside(Address::asker(from), history_entry_text(*entry.text, entry.place));
}

void GameScreen::voice_changed(const std::string& said, std::optional<CharacterId> from) {
  if (settings_) {
    Settings settings = settings_->remembered();
    keep_voice_settings(speech_, settings);
    settings_->save(settings);
  }
  if (!said.empty()) listeners_.say(Address::asker(from), said);
}

void GameScreen::card_key(int digit, Modifiers modifiers) {
  const Discard discard = modifiers.control ? Discard::Yes : Discard::No;
  switch (choose_current_card(game_, digit - 1, discard)) {
    case CardAnswer::Refused:
      return platform_.beep();
    case CardAnswer::TargetNeeded:
      listeners_.say(Address::to_seat(game_.current()), kChooseTarget);
      return listeners_.say(Address::to_seat(game_.current()), target_list(game_));
    case CardAnswer::NoTarget:
      listeners_.say(Address::to_seat(game_.current()), kChooseTarget);
      listeners_.say(Address::to_seat(game_.current()), kNoTarget);
      break;
    case CardAnswer::Chosen:
      break;
  }
  go_on_with_cards(Walk::FromNext);
}

void GameScreen::target_key(int digit, std::optional<CharacterId> from) {
  if (!choose_target(game_, digit - 1))
    return listeners_.say(Address::asker(from), too_few_targets(game_));
  go_on_with_cards(Walk::FromNext);
}

}  // namespace fortuna
