// The night: every recorded play takes effect at once, then the executor tells the news.
#include <array>
#include <string>

#include "game/main_window.h"
#include "game/program.h"
#include "model/deck.h"

namespace fortuna {

namespace {

constexpr const char* kLineBreak = "\r\n";

constexpr const char* kLongOpening =
    "Un nuevo día comienza y Mister Paul Mastiff, albacea del testamento y perteneciente al "
    "bufete Paws and Claws, se presenta cuando todo el grupo está reunido desaiunando. ";

// What the executor adds after the room where someone died.
const char* death_phrase(int room) {
  switch (room) {
    case 1:
      return " en extrañas circunstancias. ";
    case 2:
      return " debido a un lamentable accidente. ";
    case 3:
      return "aunque no sé cómo murió. ";
    case 4:
      return " por lo cual les doy mis condolencias. ";
    default:
      return "";
  }
}

bool contains(const std::string& text, const char* piece) {
  return text.find(piece) != std::string::npos;
}

void next_position(std::int16_t& position) {
  position = static_cast<std::int16_t>(position >= 10 ? 1 : position + 1);
}

}  // namespace

void MainWindow::ResuelveDia() {
  Jugadas jugadas{};
  std::array<float, kCharacters + 1> puntos{};
  std::string noticias;

  // 1. The plays of everyone alive when the night begins.
  for (int c = 1; c <= kCharacters; ++c) {
    const Personaje& p = Personajes[static_cast<std::size_t>(c)];
    if (p.Vivo == 0) continue;
    Jugada& row = jugadas[c];
    row.Numero = static_cast<std::int16_t>(c);
    row.Carta = p.CartaElegida == 1 ? p.Carta1 : p.CartaElegida == 2 ? p.Carta2 : 0;
    const int kind = Cartas[static_cast<std::size_t>(row.Carta)].Tipo;
    row.Tipo = static_cast<std::int16_t>(p.Descartar != 0 ? 0 : kind);
    row.Objetivo = p.Objetivo;
  }

  auto alive = [this](int character) {
    return Personajes[static_cast<std::size_t>(character)].Vivo != 0;
  };
  auto target_of = [](const Jugada& row) {
    return row.Objetivo >= 0 && row.Objetivo <= kCharacters ? row.Objetivo : 0;
  };

  // 2. Papers that pass the inheritance on; whoever played one is alive, so the search ends.
  const std::int16_t heir_before = Heredero;
  for (int c = 1; c <= kCharacters; ++c) {
    if (jugadas[c].Tipo != 2) continue;
    next_position(Heredero);
    for (int step = 0; step < kCharacters && !alive(heir()); ++step) next_position(Heredero);
  }
  if (Heredero != heir_before) {
    noticias =
        "Tras la aparición de unos papeles incriminatorios, el heredero de la fortuna ha pasado a "
        "ser " +
        Personajes[static_cast<std::size_t>(heir())].Nombre + ". " + kLineBreak;
  }

  // 3. Balances, exact in single precision whatever the order.
  for (int c = 1; c <= kCharacters; ++c) {
    const Jugada& row = jugadas[c];
    auto& target = puntos[static_cast<std::size_t>(target_of(row))];
    auto& own = puntos[static_cast<std::size_t>(c)];
    switch (row.Tipo) {
      case 4:
        own += 50.0f;
        break;
      case 5:
        target -= 2.0f;
        break;
      case 6:
        target -= 1.5f;
        break;
      case 7:
        own += 2.0f;
        break;
      case 8:
        own += 1.5f;
        break;
      default:
        break;
    }
  }

  // 4. Deaths. The heir may pass to someone who dies later in this same loop.
  for (int c = 1; c <= kCharacters; ++c) {
    if (puntos[static_cast<std::size_t>(c)] >= 0.0f || !alive(c)) continue;
    Personaje& victim = Personajes[static_cast<std::size_t>(c)];
    victim.Vivo = kFalse;
    if (victim.Humano != 0) AnunciaMuerte(static_cast<std::int16_t>(c), jugadas);
    const int room = victim.Sala >= -1 && victim.Sala <= kRooms ? victim.Sala : 0;
    noticias += victim.Nombre + " ha muerto en " + Salas[room] + death_phrase(room) + kLineBreak;
    if (heir() == c) {
      bool found = false;
      for (int step = 0; step < kCharacters + 1 && !found; ++step) {
        next_position(Heredero);
        found = alive(heir());
      }
      if (!found) {
        FinPartida(2, -1);
        return;
      }
    }
  }

  // 5. The keys win only for the heir as the night leaves it, and only alive.
  for (int c = 1; c <= kCharacters; ++c) {
    if (heir() == c && jugadas[c].Tipo == 1 && alive(c)) {
      FinPartida(1, static_cast<std::int16_t>(c));
      return;
    }
  }

  // 6. The played card, discarded or not, goes back to the first free place of the pile.
  for (int c = 1; c <= kCharacters; ++c) {
    Personaje& p = Personajes[static_cast<std::size_t>(c)];
    if (p.CartaElegida == 1) Intercambia(p.Carta1, p.Carta2);
    if (p.Carta2 == 0) continue;
    for (int i = 1; i <= kPileSize; ++i) {
      if (Mazo[i] == 0) {
        Mazo[i] = p.Carta2;
        p.Carta2 = 0;
        break;
      }
    }
  }

  // 7. Swaps of the kept cards. A swap aimed at nobody has no one to take the card.
  for (int c = 1; c <= kCharacters; ++c) {
    const Jugada& row = jugadas[c];
    const int target = target_of(row);
    if (row.Tipo != 3 || target == 0 || target == c) continue;
    Intercambia(Personajes[static_cast<std::size_t>(c)].Carta1,
                Personajes[static_cast<std::size_t>(target)].Carta1);
  }

  // 8.
  int supervivientes = 0;
  for (int c = 1; c <= kCharacters; ++c)
    if (alive(c)) ++supervivientes;

  // 9. Rooms close from the highest down as the household shrinks; never the drawing room.
  const std::string closed_prefix = " Debo informarles, me temo, de que se ha cerrado ";
  const std::string hope = " Espero que no disturbe demasiado a los señores.";
  if (SalaAbierta[4] != 0 && supervivientes < 7) {
    SalaAbierta[4] = kFalse;
    NumSalas = 3;
    noticias += closed_prefix + Salas[4] +
                " al uso mientras se aclaran los acontecimientos que están teniendo lugar en esta "
                "casa." +
                hope;
  }
  if (SalaAbierta[3] != 0 && supervivientes < 5) {
    SalaAbierta[3] = kFalse;
    NumSalas = 2;
    if (contains(noticias, "disturbe")) {
      noticias +=
          " Asimismo ha sido necesario cerrar al uso la biblioteca por problemas de "
          "calefacción.";
    } else {
      noticias += closed_prefix + Salas[3] + " al uso por problemas de calefacción." + hope;
    }
  }
  if (SalaAbierta[2] != 0 && supervivientes < 4) {
    SalaAbierta[2] = kFalse;
    NumSalas = 1;
    if (contains(noticias, "distur")) {
      noticias +=
          " Lamentablemente, también ha sido necesario cerrar  la cocina de la mansión "
          "por diferentes motivos.";
    } else {
      noticias +=
          closed_prefix + Salas[2] + " al uso por quejas recibidas de los cocineros." + hope;
    }
  }

  // 10. A closed room's cards leave the pile; those already in hands stay.
  for (int i = 1; i <= kPileSize; ++i) {
    const int room = Cartas[static_cast<std::size_t>(Mazo[i])].Sala;
    if (Mazo[i] != 0 && room >= 1 && room <= kRooms && SalaAbierta[room] == 0) Mazo[i] = 0;
  }

  // 11.
  compact_pile(Mazo);

  // 12. The morning news.
  const std::string& heir_name = Personajes[static_cast<std::size_t>(heir())].Nombre;
  if (!noticias.empty()) {
    const std::string opening =
        DescripcionCorta != 0 ? "Mister Paul Mastiff trae nuevas noticias por la mañana:"
                              : std::string(kLongOpening) + "Tengo nuevas noticias para ustedes: ";
    noticias = opening + noticias +
               ". Como ustedes ya sabrán, el heredero que actualmente es el primero en la línea "
               "de sucesión es, en estos momentos, " +
               heir_name + ". Que pasen  un día muy feliz.";
  } else if (DescripcionCorta != 0) {
    noticias = "Mister Paul Mastiff dice: ";
  } else {
    noticias = std::string(kLongOpening) +
               "Sólo me he acercado para recordarles que el heredero que actualmente es el "
               "primero en la línea de sucesión es, en estos momentos,  " +
               heir_name + ". Que pasen  un día muy feliz.";
  }

  // 13.
  if (supervivientes > 1) {
    Habla(noticias);
    IniciaDia();
  } else {
    FinPartida(3, -1);
  }
}

}  // namespace fortuna
