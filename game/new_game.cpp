// A new game: the rooms, the deck, the first day and the first heir.
#include <array>

#include "game/main_window.h"
#include "game/program.h"
#include "model/deck.h"

namespace fortuna {

namespace {
constexpr std::array<const char*, kRooms> kRoomNames = {"El salón", "La cocina", "La biblioteca",
                                                        "El dormitorio"};
}  // namespace

void MainWindow::Form_Load() {
  // A fresh voice drops the rate and voice chosen so far.
  program_.speech.CreaVoz();
  for (int room = 1; room <= kRooms; ++room) {
    SalaAbierta[room] = kTrue;
    Salas[room] = kRoomNames[static_cast<std::size_t>(room - 1)];
  }
  NumSalas = kRooms;
  Salas[-1] = "Indeterminado";
  SalaAbierta[-1] = kFalse;
  // Everyone plays again: a game after an ending with one survivor or none could not run.
  for (int i = 1; i <= kCharacters; ++i) Personajes[static_cast<std::size_t>(i)].Vivo = kTrue;
  CargaDatos();
  Fase = kFaseInicioDia;
  Heredero = static_cast<std::int16_t>(program_.random.draw(kCharacters));
}

void MainWindow::CargaDatos() {
  for (int i = 1; i <= kCharacters; ++i)
    Sucesion[i] = Personajes[static_cast<std::size_t>(i)].Numero;
  // Drawn before the seeding: the first game of a run always has the same line.
  shuffle_succession(Sucesion, program_.random);

  Cartas.assign(2, Carta{});
  for (const CardEntry& card : card_catalogue())
    AgregaCarta(std::string(card.descripcion), card.tipo, card.con_objetivo, card.sala);

  const TimeOfDay now = program_.clock.now();
  program_.random.seed(clock_seed(now.hour, now.minute, now.second));
  deal_first_cards(Mazo, Personajes, program_.random);
  IniciaDia();
}

void MainWindow::AgregaCarta(const std::string& texto, std::int16_t tipo, Bool16 con_objetivo,
                             std::int32_t sala) {
  if (Cartas.empty()) Cartas.resize(1);
  if (Cartas.back().Tipo > 0) Cartas.emplace_back();
  Carta& card = Cartas.back();
  card.Numero = static_cast<std::int16_t>(Cartas.size() - 1);
  card.Descripcion = texto;
  card.Tipo = tipo;
  card.ConObjetivo = con_objetivo;
  card.Sala = sala;
}

std::string MainWindow::NombreCarta(std::int16_t n) const {
  return card_name(Cartas.at(static_cast<std::size_t>(n)).Descripcion, DescripcionCorta != 0);
}

}  // namespace fortuna
