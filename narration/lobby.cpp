#include "narration/lobby.h"

#include "rules/day.h"

namespace fortuna {

namespace {

std::string duration_words(int seconds) {
  if (seconds == 60) return "un minuto";
  if (seconds == 120) return "dos minutos";
  if (seconds % 60 == 0 && seconds > 120) return std::to_string(seconds / 60) + " minutos";
  return std::to_string(seconds) + (seconds == 1 ? " segundo" : " segundos");
}

std::string what_the_table_waits_for(const Game& game, std::optional<CharacterId> seat) {
  if (game.phase == Phase::Over) return " La partida ha terminado; pulse 1 para empezar otra.";
  const auto person = on_turn(game);
  if (!person) return " Se espera a que alguien pulse espacio para continuar.";
  const char* what = game.phase == Phase::Rooms   ? "elegir sala"
                     : game.phase == Phase::Cards ? "elegir carta"
                                                  : "elegir con quién usar su carta";
  if (person == seat) return std::string(" Le toca a usted ") + what + ".";
  return " Se espera a " + game.at(*person).name + ", que debe " + what + ".";
}

}  // namespace

std::string arrival(const std::string& person, Role role) {
  return person + (role == Role::Player ? " llega a la mesa." : " llega a la mesa para mirar.");
}

std::string departure(const std::string& person, const std::string* character) {
  if (!character) return person + " deja la mesa.";
  return person + " deja la mesa; el ordenador juega ahora por " + *character + ".";
}

std::string taking(const std::string& person, const std::string& character) {
  return person + " toma a " + character + ".";
}

std::string giving_back(const std::string& person, const std::string& character, GameState state) {
  if (state == GameState::NotStarted) return person + " deja a " + character + ".";
  return person + " deja a " + character + " en manos del ordenador.";
}

std::string renaming(const std::string& old_name, const std::string& new_name) {
  return old_name + " se llama ahora " + new_name + ".";
}

std::string game_start(const std::string& person) {
  return person + " empieza la partida.";
}

std::string absence(const std::string& person, const std::string& character, int grace_seconds) {
  return person + " se ha desconectado. Si no vuelve en " + duration_words(grace_seconds) +
         ", el ordenador jugará por " + character + ".";
}

std::string standing_in(const std::string& person, const std::string& character) {
  return person + " no ha vuelto: el ordenador juega ahora por " + character + ".";
}

std::string return_of(const std::string& person) {
  return person + " ha vuelto.";
}

std::string resume_summary(const Whereabouts& where, const Game* game) {
  std::string text = "Está de vuelta en la mesa " + where.table + ".";
  if (where.role == Role::Onlooker)
    text += " Mira la partida.";
  else if (!where.seat)
    text += " No lleva ningún personaje.";
  if (!game) {
    if (where.seat) text += " Lleva a " + where.character + ".";
    return text + " La partida aún no ha empezado; la empieza " + where.creator + ".";
  }
  if (where.seat) {
    const Character& own = game->at(*where.seat);
    text += " Es " + own.name + ".";
    if (!own.alive)
      text += " Su personaje ha muerto.";
    else if (game->phase != Phase::Over)
      text += " Sus cartas son: 1. " + std::string(card_name(own.hand[0], where.names)) + " y 2. " +
              std::string(card_name(own.hand[1], where.names)) + ".";
  }
  return text + what_the_table_waits_for(*game, where.seat);
}

}  // namespace fortuna
