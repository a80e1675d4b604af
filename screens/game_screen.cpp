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
  new_game();
}

void GameScreen::say(const std::string& text, Wait wait) {
  history_.add(text);
  speech_.say(text, wait);
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
  say(aspirants(game_), Wait::Before);
}

void GameScreen::go_on_with_rooms(Walk walk) {
  if (const auto person = walk_rooms(game_, walk)) {
    say(room_question(game_, *person, card_names_));
    return;
  }
  platform_.set_label(rooms_label(game_));
  say(kRoomsAssigned);
}

void GameScreen::go_on_with_cards(Walk walk) {
  if (const auto person = walk_cards(game_, walk)) {
    say(card_question(game_, *person, card_names_));
    return;
  }
  platform_.set_label(cards_label(game_));
  say(kCardsChosen);
}

void GameScreen::end_day() {
  const NightReport night = resolve_night(game_);
  for (const Death& death : night.deaths)
    if (game_.at(death.character).player == Player::Person)
      say(death_report(game_, death), Wait::BeforeAndAfter);
  if (night.ending != Ending::None) {
    if (const std::string scene = closing_scene(game_); !scene.empty()) say(scene);
    // The executor finishes before the prompt.
    say(kClosingPrompt, Wait::Before);
    return;
  }
  say(morning_news(game_, night, card_names_));
  start_day(game_);
  announce_day();
}

}  // namespace fortuna
