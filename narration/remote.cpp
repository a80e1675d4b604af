#include "narration/remote.h"

namespace fortuna {

std::string connecting_text(const std::string& server) {
  return "La fortuna de Vadod Brunilda. Conectando con " + server + ".";
}

std::string tables_text(int count) {
  if (count == 0) return "No hay mesas. Pulse F2 para crear una.";
  return (count == 1 ? std::string("Hay una mesa.") : "Hay " + std::to_string(count) + " mesas.") +
         " Con las flechas las recorre; pulse Enter para jugar en ella, espacio para mirar y F2 "
         "para crear otra.";
}

std::string new_table_text(const std::string& name) {
  return "Nueva mesa: " + name + ".";
}

std::string table_entry(const std::string& name, int players, int onlookers, bool started) {
  const auto count = [](int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  return name + ": " + count(players, "jugador", "jugadores") + ", " +
         count(onlookers, "mirando", "mirando") +
         (started ? ", partida empezada." : ", sin empezar.");
}

std::string character_entry(const std::string& name, const std::optional<std::string>& holder,
                            bool yours) {
  if (yours) return name + ": suyo.";
  return name + (holder ? ": de " + *holder + "." : ": libre.");
}

std::string at_table_text(const std::string& table, bool onlooker, bool creator) {
  if (onlooker) return "Está mirando la mesa " + table + ".";
  return "Está en la mesa " + table + ". Con las flechas recorre los personajes; espacio toma o " +
         "deja uno" + (creator ? "; Enter empieza la partida." : ".");
}

}  // namespace fortuna
