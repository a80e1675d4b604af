#include "screens/game_screen.h"

#include "narration/day.h"
#include "narration/night.h"
#include "rules/deal.h"
#include "rules/night.h"
#include "screens/voice_keys.h"

namespace fortuna {

void GameScreen::load(const Roster& roster, const Random& random) {
  game_ = Game{};
  game_.roster = roster;
  game_.random = random;
  for (int id = 0; id < kCharacterCount; ++id)
    seats_[static_cast<std::size_t>(id)] =
        roster[static_cast<std::size_t>(id)].player == Player::Person;
  if (seats_in_use_) use_seats();
  new_game();
}

void GameScreen::use_seats() {
  seats_in_use_ = true;
  for (int id = 0; id < kCharacterCount; ++id)
    if (seats_[static_cast<std::size_t>(id)]) listeners_.seat(static_cast<CharacterId>(id));
}

void GameScreen::set_player(CharacterId seat, Player player) {
  const bool waited = on_turn(game_) == seat;
  seats_[static_cast<std::size_t>(seat)] = true;
  if (seats_in_use_) listeners_.seat(seat);
  fortuna::set_player(game_, seat, player);
  if (!waited || player == Player::Person) return;
  if (game_.phase == Phase::Rooms) return go_on_with_rooms(Walk::FromCurrent);
  go_on_with_cards(Walk::FromCurrent);
}

void GameScreen::new_game() {
  // A fresh voice drops the rate and voice chosen so far, unless they are kept between runs.
  speech_.create_voice();
  if (settings_) apply_voice_settings(speech_, settings_->remembered());
  start_new_game(game_, clock_.now());
  announce_day();
}

void GameScreen::announce_day() {
  platform_.set_label(day_label(game_));
  // The morning news is heard to its end first.
  listeners_.say(Address::table(), aspirants(game_), Wait::Before);
}

// A person's question is theirs alone; with seats the table hears whose turn it is.
void GameScreen::ask(CharacterId person, const Listeners::Wording& question) {
  if (seats_in_use_) listeners_.say(Address::table(), turn_announcement(game_, person));
  listeners_.say(Address::to_seat(person), question);
}

void GameScreen::go_on_with_rooms(Walk walk) {
  if (const auto person = walk_rooms(game_, walk)) {
    return ask(*person, [&](CardNames names) { return room_question(game_, *person, names); });
  }
  platform_.set_label(rooms_label(game_));
  listeners_.say(Address::table(), kRoomsAssigned);
}

void GameScreen::go_on_with_cards(Walk walk) {
  if (const auto person = walk_cards(game_, walk)) {
    return ask(*person, [&](CardNames names) { return card_question(game_, *person, names); });
  }
  platform_.set_label(cards_label(game_));
  listeners_.say(Address::table(), kCardsChosen);
}

void GameScreen::end_day() {
  const NightReport night = resolve_night(game_);
  // How a seat's character died, and at whose hands, is its person's to hear.
  for (const Death& death : night.deaths)
    if (seats_[static_cast<std::size_t>(death.character)])
      listeners_.say(Address::to_seat(death.character), death_report(game_, death),
                     Wait::BeforeAndAfter);
  if (night.ending != Ending::None) {
    if (const std::string scene = closing_scene(game_); !scene.empty())
      listeners_.say(Address::table(), scene);
    // The executor finishes before the prompt.
    listeners_.say(Address::table(), kClosingPrompt, Wait::Before);
    return;
  }
  listeners_.say(Address::table(),
                 [&](CardNames names) { return morning_news(game_, night, names); });
  start_day(game_);
  announce_day();
}

}  // namespace fortuna
