#include "narration/seat_view.h"

#include "data/text.h"
#include "narration/rooms.h"

namespace fortuna {

namespace {

constexpr const char* kLineBreak = "\r\n";
// As much of a card as the one-keyboard labels show.
constexpr std::size_t kHandCardChars = 50, kPlayedCardChars = 30;

std::string own_lines(const Game& game, CharacterId seat) {
  const Character& own = game.at(seat);
  std::string label = own.name + ": (" +
                      (own.temper == Temper::Aggressive ? "Verdadero" : "Falso") + ") " +
                      kLineBreak;
  if (!own.alive) return label + "(muerto)" + kLineBreak;
  for (CardId id : own.hand)
    label += "- " +
             first_chars(id == kNoCard ? std::string_view() : card(id).text, kHandCardChars) +
             kLineBreak;
  if (own.room) label += "Sala: " + std::string(room_name(own.room)) + kLineBreak;
  if (const CardId played = own.chosen_card(); played != kNoCard)
    label += std::string(own.discard ? "Descarta " : "Usa ") +
             first_chars(card(played).text, kPlayedCardChars) + " contra " +
             (own.target ? game.at(*own.target).name : kNobodyName) + kLineBreak;
  return label;
}

}  // namespace

std::string seat_label(const Game& game, std::optional<CharacterId> seat) {
  std::string label = seat ? own_lines(game, *seat) : std::string();
  std::string living;
  for (const Character& character : game.roster)
    if (character.alive) living += (living.empty() ? "" : "; ") + character.name;
  label += "Aspirantes: " + living + kLineBreak;
  label += "Heredero: " + game.at(game.heir()).name + kLineBreak;
  if (game.phase == Phase::Over) label += std::string("La partida ha terminado") + kLineBreak;
  return label;
}

std::string choice_name(const Game& game, Action action, Key key) {
  const std::string number = std::to_string(key.digit()) + ". ";
  const auto own_card = [&] {
    const CardId id = game.at(game.current()).hand[static_cast<std::size_t>(key.digit() - 1)];
    return std::string(card_name(id, CardNames::Short));
  };
  switch (action) {
    case Action::ChooseRoom:
      return number + std::string(room_name(room_at(key.digit() - 1)));
    case Action::ChooseCard:
      return number + own_card();
    case Action::ThrowCardAway:
      return "Descartar " + number + own_card();
    case Action::ChooseTarget:
      return number + game.at(game.offered_targets[key.digit() - 1]).name;
    case Action::ListTargets:
      return "Repetir los objetivos";
    case Action::GoOn:
      return "Continuar";
    case Action::NewGame:
      return "Otra partida";
    case Action::TellCards:
      return "Sus cartas";
    case Action::TellSituation:
      return "Su situación";
    case Action::TellHeir:
      return "El heredero";
    case Action::ToggleCardNames:
      return "Descripción corta o larga";
    default:
      return {};
  }
}

}  // namespace fortuna
