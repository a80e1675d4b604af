// What the game says and shows during a day: the deal, the room and card questions, the
// targets, the help keys' answers and the status labels.
#pragma once

#include <string>

#include "data/game.h"
#include "narration/rooms.h"

namespace fortuna {

// The status label after the deal: every character with its temper and its cards, or dead.
std::string day_label(const Game& game);
// Waits for the morning news to end.
std::string aspirants(const Game& game);

std::string room_question(const Game& game, CharacterId person, CardNames names);
// Who went where, for every room, open or not.
std::string rooms_label(const Game& game);
inline constexpr const char* kRoomsAssigned = "salas asignadas. Pulse espacio  para continuar ";

std::string card_question(const Game& game, CharacterId person, CardNames names);
// Where the person is, who is with it, its cards and the card question.
std::string situation(const Game& game, CharacterId person, CardNames names);
// Everyone's play in turn order.
std::string cards_label(const Game& game);
inline constexpr const char* kCardsChosen = "cartas seleccionadas. Pulse espacio para continuar";

inline constexpr const char* kChooseTarget = "Elija el jugador con el que va a realizar la acción";
inline constexpr const char* kNoTarget =
    "No hay ningún heredero  con el que pueda usar esa carta. Pulse espacio para continuar.";
std::string target_list(const Game& game);
std::string too_few_targets(const Game& game);

std::string hand_text(const Character& person, CardNames names);
std::string heir_text(const Game& game);
std::string choose_a_room_first(const Game& game);
inline constexpr const char* kChooseACardFirst =
    "Primero debe seleccionar una de las cartas. Pulse la tecla C para escuchar sus cartas y "
    "después pulse 1 o 2 para elegir una de ellas.";
std::string card_names_text(CardNames names);

// With seats, what the table hears when a person must answer (their question is theirs alone),
// and what a seat that pressed a key out of turn hears.
std::string turn_announcement(const Game& game, CharacterId person);
std::string whose_turn(const Game& game, CharacterId person);

}  // namespace fortuna
