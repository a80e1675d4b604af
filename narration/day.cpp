#include "narration/day.h"

#include "data/text.h"

namespace fortuna {

namespace {

constexpr const char* kLineBreak = "\r\n";
// How much of a card's text the labels show.
constexpr std::size_t kDayLabelCardChars = 50, kCardsLabelCardChars = 30;

const std::string& name_of(const Game& game, CharacterId id) {
  return game.at(id).name;
}

std::string hand_names(const Character& character, CardNames names) {
  std::string text = "1. ";
  text += card_name(character.hand[0], names);
  text += " y 2. ";
  text += card_name(character.hand[1], names);
  return text;
}

}  // namespace

std::string day_label(const Game& game) {
  std::string label;
  for (const Character& character : game.roster) {
    label += character.name + ": (" +
             (character.temper == Temper::Aggressive ? "Verdadero" : "Falso") + ") " + kLineBreak;
    if (!character.alive) {
      label += std::string("(muerto)") + kLineBreak;
      continue;
    }
    for (CardId id : character.hand) {
      const std::string_view text = id == kNoCard ? std::string_view() : card(id).text;
      label += "- " + first_chars(text, kDayLabelCardChars) + kLineBreak;
    }
  }
  return label;
}

std::string aspirants(const Game& game) {
  std::string names;
  for (const Character& character : game.roster) {
    if (!character.alive) continue;
    if (!names.empty()) names += "; ";
    names += character.name;
  }
  return "Los actuales aspirantes a la fortuna de vadod Brunilda son: " + names +
         ". Pulse espacio para continuar.";
}

std::string room_question(const Game& game, CharacterId person, CardNames names) {
  std::string text = name_of(game, person) + ", es su turno de jugar. Sus cartas son: " +
                     hand_names(game.at(person), names) +
                     ". ¿A qué habitación desea ir? (pulse el número correspondiente).";
  for (int i = 0; i < game.rooms.open_count; ++i)
    text += std::to_string(i + 1) + ". " + std::string(room_name(room_at(i))) + ", ";
  return text;
}

std::string rooms_label(const Game& game) {
  std::string label;
  for (int i = 0; i < kRoomCount; ++i) {
    const Room room = room_at(i);
    label += std::string(room_name(room)) + kLineBreak;
    for (int j = 0; j < kCharacterCount; ++j)
      if (game.rooms.in(room).contains(static_cast<CharacterId>(j)))
        label += name_of(game, static_cast<CharacterId>(j)) + "; ";
    label += kLineBreak;
  }
  return label;
}

std::string card_question(const Game& game, CharacterId person, CardNames names) {
  return name_of(game, person) + ", es su turno de jugar." + situation(game, person, names);
}

std::string situation(const Game& game, CharacterId person, CardNames names) {
  const Character& character = game.at(person);
  std::string companions;
  for (int j = 0; j < kCharacterCount; ++j) {
    const auto other = static_cast<CharacterId>(j);
    if (other != person && character.room && game.rooms.in(*character.room).contains(other))
      companions += name_of(game, other) + ", ";
  }
  std::string text = " está en " + std::string(room_name(character.room));
  text += companions.empty() ? " y no hay nadie más con usted. " : " junto a " + companions;
  return text + " Recuerde que  sus cartas son: " + hand_names(character, names) +
         ". ¿Qué carta desea utilizar? (pulse 1 o 2, y Si desea descartar una carta sin "
         "utilizarla, mantenga pulsada la tecla control)";
}

std::string cards_label(const Game& game) {
  std::string label = std::string("Carttas seleccionadas ") + kLineBreak;
  for (const CharacterId id : game.turns) {
    const Character& player = game.at(id);
    const int with = player.room ? game.rooms.in(*player.room).size() : 0;
    const CardId played = player.chosen_card();
    const std::string_view text = played == kNoCard ? std::string_view() : card(played).text;
    label += player.name + "(En " + std::string(room_name(player.room)) + " " +
             std::to_string(with) + ") usa la carta " + first_chars(text, kCardsLabelCardChars) +
             " contra " + (player.target ? name_of(game, *player.target) : kNobodyName) +
             kLineBreak;
  }
  return label;
}

std::string target_list(const Game& game) {
  std::string text = " Indique con qué heredero desea usar esa carta: ";
  for (int k = 0; k < game.offered_targets.size(); ++k)
    text += std::to_string(k + 1) + ". " + name_of(game, game.offered_targets[k]) + ", ";
  return text;
}

std::string too_few_targets(const Game& game) {
  return "Sólo hay " + std::to_string(game.offered_targets.size()) +
         " objetivos para elegir. Pulse espacio para escuchar sus nombres de nuevo";
}

std::string hand_text(const Character& person, CardNames names) {
  return "Sus cartas son: " + hand_names(person, names);
}

std::string heir_text(const Game& game) {
  return "El heredero actual es " + name_of(game, game.heir());
}

std::string choose_a_room_first(const Game& game) {
  return "Primero debe seleccionar una de las salas. Pulse un número del 1 al " +
         std::to_string(game.rooms.open_count);
}

std::string card_names_text(CardNames names) {
  return std::string("Descripción ") + (names == CardNames::Short ? " corta " : " larga ") +
         " de las cartas";
}

std::string turn_announcement(const Game& game, CharacterId person) {
  return "Turno de " + name_of(game, person) +
         (game.phase == Phase::Rooms ? ", que elige sala." : ", que elige carta.");
}

std::string whose_turn(const Game& game, CharacterId person) {
  return "Ahora es el turno de " + name_of(game, person) + ".";
}

}  // namespace fortuna
