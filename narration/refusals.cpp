#include "narration/refusals.h"

#include <array>

namespace fortuna {

namespace {

struct Words {
  std::string_view code;
  const char* text;
};

constexpr std::array<Words, 26> kRefusals = {{
    {"hello_first", "El programa debe presentarse antes de nada."},
    {"hello_again", "Ya se ha presentado."},
    {"version", "Este servidor habla otra versión del protocolo; actualice el programa."},
    {"malformed", "El mensaje no se entiende."},
    {"unknown_type", "El servidor no conoce esa petición."},
    {"too_large", "El mensaje es demasiado largo."},
    {"flood", "Demasiados mensajes seguidos."},
    {"too_many_connections", "Hay demasiadas conexiones desde su dirección."},
    {"bad_name", "El nombre debe tener de 1 a 60 caracteres, sin caracteres de control."},
    {"unknown_token", "El servidor no recuerda esa sesión; entre de nuevo con su nombre."},
    {"no_such_table", "No hay ninguna mesa con ese nombre."},
    {"table_exists", "Ya hay una mesa con ese nombre."},
    {"not_at_table", "No está en ninguna mesa."},
    {"already_at_table", "Ya está en una mesa; déjela primero."},
    {"onlooker", "Quien mira la partida no juega en ella."},
    {"taken", "Ese personaje ya lo lleva otra persona."},
    {"not_yours", "Ese personaje no es suyo."},
    {"no_character", "Primero tome un personaje."},
    {"not_creator", "Solo quien creó la mesa puede empezar la partida."},
    {"started", "La partida ya ha empezado."},
    {"not_started", "La partida aún no ha empezado."},
    {"bad_key", "Esa tecla no existe."},
    {"nobody_plays", "Nadie ha tomado un personaje todavía."},
    {"table_full", "La mesa está llena."},
    {"server_full", "El servidor está lleno; inténtelo más tarde."},
    {"unavailable", "El servidor no puede guardar la partida ahora; inténtelo de nuevo."},
}};

constexpr std::array<Words, 3> kGoodbyes = {{
    {"server_stopping", "El servidor se apaga; la partida queda guardada."},
    {"replaced", "Ha entrado de nuevo desde otra conexión."},
    {"too_slow", "La conexión va demasiado lenta; vuelva a entrar."},
}};

}  // namespace

std::string_view refusal_code(Refusal refusal) {
  return kRefusals[static_cast<std::size_t>(refusal)].code;
}

std::string refusal_text(Refusal refusal) {
  return kRefusals[static_cast<std::size_t>(refusal)].text;
}

std::string taken_by(const std::string& holder) {
  return "Ese personaje ya lo lleva " + holder + ".";
}

std::string_view goodbye_reason(Goodbye goodbye) {
  return kGoodbyes[static_cast<std::size_t>(goodbye)].code;
}

std::string goodbye_text(Goodbye goodbye) {
  return kGoodbyes[static_cast<std::size_t>(goodbye)].text;
}

}  // namespace fortuna
