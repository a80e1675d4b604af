#include "model/roster.h"

namespace fortuna {

namespace {
constexpr std::array<const char*, kCharacters + 1> kNames = {
    "Nadie en especial",
    "Bigotes, el gato andalú",
    "Sir Reginald, el apenado marido",
    "Vanessa, la hija pija",
    "Kevin, el hijo rockero",
    "Zivi Edna Pickford la cotilla, su mejor amiga",
    "Anselmo, el chófer",
    "Gaspar, el mayordomo",
    "Miss Olga Curlwood, su peluquera de toda la vida",
    "Miss Ursula Moonbeam, su vidente personal",
    "Mister Felix Vaultman, su banquero de confianza",
};
}  // namespace

void IniciaPersonajes(Roster& personajes, Random& random) {
  for (int i = 1; i <= kCharacters; ++i) {
    Personaje& p = personajes[i];
    p.Numero = static_cast<std::int16_t>(i);
    p.Nombre = kNames[i];
    p.Sala = 1;
    p.Humano = kFalse;
    p.Vivo = kTrue;
    p.Agresivo = to_bool16(random.x() < 0.5);
  }
  personajes[0].Nombre = kNames[0];
}

}  // namespace fortuna
