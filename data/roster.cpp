#include "data/roster.h"

namespace fortuna {

namespace {
constexpr std::array<const char*, kCharacterCount> kNames = {
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

Roster initial_roster(Random& random) {
  Roster roster;
  for (std::size_t i = 0; i < roster.size(); ++i) roster[i].name = kNames[i];
  draw_tempers(roster, random);
  return roster;
}

void draw_tempers(Roster& roster, Random& random) {
  for (Character& character : roster)
    character.temper = random.x() < 0.5 ? Temper::Aggressive : Temper::Calm;
}

}  // namespace fortuna
