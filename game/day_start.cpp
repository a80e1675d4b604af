// The start of every day (deal, pile, status label, aspirants) and a person's death report.
#include "game/main_window.h"
#include "game/program.h"
#include "model/deck.h"
#include "model/text.h"

namespace fortuna {

namespace {

constexpr std::size_t kLabelCardChars = 50;

std::string label_card(const std::vector<Carta>& cartas, std::int16_t card) {
  return "- " +
         first_chars(cartas.at(static_cast<std::size_t>(card)).Descripcion, kLabelCardChars) +
         "\r\n";
}

}  // namespace

void MainWindow::IniciaDia() {
  Fase = kFaseInicioDia;
  Ocupantes.fill(std::string());
  for (int i = 1; i <= kCharacters; ++i) {
    Personaje& p = Personajes[static_cast<std::size_t>(i)];
    p.Sala = -1;
    p.CartaElegida = 0;
    // A throw-away belongs to the day it was chosen.
    p.Descartar = kFalse;
  }

  // Each living character takes the card at its own position of the pile.
  for (int i = 1; i <= kCharacters; ++i) {
    Personaje& p = Personajes[static_cast<std::size_t>(i)];
    if (p.Vivo == 0) continue;
    if (p.Carta1 != 0)
      p.Carta2 = Mazo[i];
    else
      p.Carta1 = Mazo[i];
    Mazo[i] = 0;
  }
  shuffle_pile(Mazo, program_.random);
  compact_pile(Mazo);

  std::string label;
  std::string aspirantes;
  for (int i = 1; i <= kCharacters; ++i) {
    const Personaje& p = Personajes[static_cast<std::size_t>(i)];
    label += p.Nombre + ": (" + (p.Agresivo != 0 ? "Verdadero" : "Falso") + ") \r\n";
    if (p.Vivo != 0) {
      label += label_card(Cartas, p.Carta1);
      label += label_card(Cartas, p.Carta2);
      if (!aspirantes.empty()) aspirantes += "; ";
      aspirantes += p.Nombre;
    } else {
      label += "(muerto)\r\n";
    }
  }
  set_label(label);

  // Waits so that the morning news is heard to its end first.
  Habla("Los actuales aspirantes a la fortuna de vadod Brunilda son: " + aspirantes +
            ". Pulse espacio para continuar.",
        kTrue, kFalse);
}

void MainWindow::AnunciaMuerte(std::int16_t victim, const Jugadas& jugadas) {
  // Row k holds character k's play of this night; a character already dead has an empty row.
  std::string atacantes;
  for (int k = 1; k <= kCharacters; ++k) {
    const Jugada& jugada = jugadas[k];
    if (jugada.Numero == 0 || jugada.Objetivo != victim) continue;
    if (!atacantes.empty()) atacantes += " y de ";
    atacantes += Personajes[static_cast<std::size_t>(k)].Nombre;
  }
  const Personaje& v = Personajes.at(static_cast<std::size_t>(victim));
  Habla(v.Nombre + " cuando estaba en " + Salas[v.Sala] + " ha recibido un ataque de " + atacantes +
            " que le elimina definitivamente como aspirante a la fortuna de vadod brunilda",
        kTrue, kTrue);
}

}  // namespace fortuna
