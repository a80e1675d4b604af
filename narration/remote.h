// What the client of a table server says of its own: the connection, the list of tables and the
// characters at a table. What happens at the table comes from the server, already said.
#pragma once

#include <optional>
#include <string>

namespace fortuna {

std::string connecting_text(const std::string& server);
inline constexpr const char* kConnectionLost =
    "Se ha perdido la conexión con el servidor. Intentando de nuevo.";
inline constexpr const char* kConnectionBack = "Conexión recuperada.";

std::string tables_text(int count);
std::string new_table_text(const std::string& name);
std::string table_entry(const std::string& name, int players, int onlookers, bool started);
inline constexpr const char* kTableNamePrompt = "Escriba el nombre de la mesa y pulse enter:";
inline constexpr const char* kTableNameTitle = "Crear una mesa";

// At a table, before the start: each character and who holds it.
std::string character_entry(const std::string& name, const std::optional<std::string>& holder,
                            bool yours);
std::string at_table_text(const std::string& table, bool onlooker, bool creator);
inline constexpr const char* kNotYourCharacter = "Ese personaje no es suyo.";
inline constexpr const char* kOnlookersWatch = "Está mirando: solo escucha la partida.";

}  // namespace fortuna
