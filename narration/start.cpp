#include "narration/start.h"

namespace fortuna {

std::string selection_word(Player player) {
  return player == Player::Person ? "Seleccionado" : "No seleccionado";
}

std::string roster_entry(const Character& character) {
  return character.name + selection_word(character.player);
}

std::string greeting(const Character& first) {
  return "La fortuna de Vadod Brunilda. Escoja los personajes que desea controlar y pulse Enter "
         "cuando esté listo. " +
         roster_entry(first);
}

std::string rename_question(const Character& character) {
  return std::string(kRenamePrompt) + " " + character.name;
}

}  // namespace fortuna
