#include "model/deck.h"

namespace fortuna {

namespace {

// clang-format off
constexpr std::array<CardEntry, kCards> kCatalogue = {{
    {1, 1, kFalse, "Las llaves: Si usted es el heredero actual, vaya al salón y use esta carta, si nada se interpone se irá de la casa con la herencia y habrá ganado la partida"},  // 1
    {2, -1, kFalse, "Cambio de heredero: Dispone de papeles que demuestran que el actual heredero no es digno de recibir la herencia. Use esta carta y el heredero pasará a ser el siguiente en la lista"},  // 2
    {2, -1, kFalse, "Cambio de heredero: Dispone de papeles que demuestran que el actual heredero no es digno de recibir la herencia. Use esta carta y el heredero pasará a ser el siguiente en la lista"},  // 3
    {3, -1, kTrue, "Cambio de carta: Cree que otro candidato tiene más posibilidades que usted. Elija un buen momento, y péguele el cambiazo."},  // 4
    {3, -1, kTrue, "Cambio de carta: Cree que otro candidato tiene más posibilidades que usted. Elija un buen momento, y péguele el cambiazo."},  // 5
    {4, 4, kFalse, "Escondite, dormitorio: Clásico pero eficaz, métase debajo de la cama en el dormitorio y estará a salvo de malas intenciones."},  // 6
    {4, 1, kFalse, "Escondite, salón: Nadie recuerda ya que empujando el 4º candelabro del salón se abre la trampilla de la antigua carbonera. Allí estará a salvo de todo."},  // 7
    {4, 2, kFalse, "Escondite, cocina:Entrando por la cocina, al fondo de la despensa queda un hueco en la sombra que es imposible ver desde fuera.Allí estará a salvo de herederos malintencionados"},  // 8
    {4, 3, kFalse, "Escondite, biblioteca: sólo usted conoce ese hueco detrás de la librería de literatura rusa del siglo XVII. Allí estará a salvo de todo peligro por un rato."},  // 9
    {5, 1, kTrue, "Ataque fuerte, salón: La chimenea del salón siempre está encendida. Elija una víctima, pídele que se acerque y ¡Zas! láncelo dentro sin remordimientos. Seguro que él también lo haría."},  // 10
    {5, 1, kTrue, "Ataque fuerte, salón: el sofá del salón siempre ha tenido un muelle suelto. Si lo refuerza un poco e inadvertidamente  empuja a alguien   con un poco de impulso... ¡Zas! estampado contra el techo"},  // 11
    {5, 2, kTrue, "Ataque fuerte, cocina: En la cocina ha encontrado un bote de polvos que tiene una calavera  y unas tibias grandes y rojas pintadas en él. ¿Qué cree que pasaría si 'accidentalmente' cayera en el bizcocho y uno de los herederos lo comiera?"},  // 12
    {5, 2, kTrue, "Ataque fuerte, cocina: Deberían reparar esa estantería de la cocina. Si alguien la golpea sin darse cuenta, la olla a presión que está en la balda superior podría caerle a alguien en la cabeza, ¿no cree?"},  // 13
    {5, 3, kTrue, "Ataque fuerte, biblioteca: La biblioteca está espléndidamente iluminada por una espectacular lámpara de araña que debe pesar al menos 500 libras. Y toda ella está soportada por esta pequeña cuerda... ¿Qué pasaría si le cayera encima a alguien?"},  // 14
    {5, 3, kTrue, "Ataque fuerte, biblioteca:Una espléndida armadura de las cruzadas del siglo XI adorna la biblioteca. Hace mucho tiempo usted aprendió que si empuja un resorte del brazalete derecho, la armadura baja con gran fuerza el brazo de la espada con un efecto espectacular y cortando en dos cualquier cosa que se ponga en su camino. Sería muy fácil invitar a contemplar la armadura a un heredero y pulsar el resorte sin que se dé cuenta a tiempo."},  // 15
    {5, 4, kTrue, "Ataque fuerte, dormitorio: Las escaleras  que llevan al dormitorio tienen una trampilla en uno de los últimos escalones que se suelta al pulsar un resorte. Si alguien apoya su peso encima cuando está suelta sabrá qué  se siente al caer desde 20 metros de altura, y ahora  usted sabe dónde está exactamente el resorte que activa esa trampilla."},  // 16
    {5, 4, kTrue, "Ataque fuerte, dormitorio: El que mandó instalar la moderna caja fuerte del dormitorio tenía unas ideas muy retorcidas. Si desde que se descorre el cuadro que tapa la caja pasan más de 20 segundos hasta que se abre la caja, ésta lanza dos dardos envenenados hacia el cuello de la persona que esté delante. Piensa que esta no es una historia muy difundida, y quizá alguno de estos codiciosos herederos esté interesado en la caja. ¿No le parece?"},  // 17
    {6, -1, kTrue, "Ataque débil, Revólver: Es una pieza curiosa, creada en los tiempos del salvaje oeste, pero que ahora le permitirá intentar librarse de uno de los herederos."},  // 18
    {6, -1, kTrue, "Ataque débil, pistola: Elija un buen punto para ocultarse, y cuando un heredero le de la espalda, ¡zas! un desafortunado accidente ocurrirá."},  // 19
    {6, -1, kTrue, "Ataque débil, cuchillo: En uno de sus momentos extravagantes de la juventud usted aprendió cómo lanzar el cuchillo con gran fuerza y precisión.¿Qué podría ocurrir si 'por error' uno de los herederos se interpusiera entre usted y su blanco?"},  // 20
    {6, -1, kTrue, "Ataque débil, cerbatana amazónica: En una de las vueltas que da por la casa ha encontrado una cerbatana y sus dardos envenenados. No puede resistir la tentación, tiene que probar a hacer un disparo. ¿y qué mejor blanco que otro de los herederos?"},  // 21
    {6, -1, kTrue, "Ataque débil, ballesta: Uno de esos artilugios de hace un montón de años, pero que sigue siendo tan letal como siempre."},  // 22
    {6, -1, kTrue, "Ataque débil, Piel de plátano: Sí, no es algo muy digno, pero... bien pensado... ¿qué mejor manera de simular un accidente podría encontrar?"},  // 23
    {6, -1, kTrue, "Ataque débil, tirachinas: Nadie supera su habilidad con este arma milenaria, en cuanto alguien se ponga a tiro, ¡Zas!"},  // 24
    {6, -1, kTrue, "Ataque débil, Guillotina: Un empujón en el momento exacto y cualquiera puede darse un cabezazo contra el jarrón chino, rebotar y acabar con el cuello dentro de la guillotina y... en fin... otra triste pérdida en la familia."},  // 25
    {7, -1, kFalse, "Defensa fuerte, " "Sexto sentido: parece que hoy tuviera un sexto sentido que le previene de cualquier amenaza. "},  // 26
    {7, -1, kFalse, "Defensa fuerte, " "Insomnio: tras una noche de insomnio su carácter está bastante agriado, pero sus sentidos están a pleno rendimiento para detectar cualquier agresión. "},  // 27
    {7, -1, kFalse, "Defensa fuerte, " "Sentido arácnido: No, no le ha picado nada, pero nota todo lo que pasa a su alrededor con una sensibilidad poco frecuente. "},  // 28
    {7, -1, kFalse, "Defensa fuerte, " "Intuición: ¿Recuerda todas las veces que se ha librado de un accidente por los pelos? parece que tiene una intuición especial."},  // 29
    {7, -1, kFalse, "Defensa fuerte, " "Olfato canino: ¿Por qué huelen tanto las cosas? Parece que hoy tiene algo raro en la nariz."},  // 30
    {7, -1, kFalse, "Defensa fuerte, " "Aura: Desde que se ha levantado siente un aura a su alrededor que le protege de todo."},  // 31
    {7, -1, kFalse, "Defensa fuerte, " "Chaleco antibalas: Con ésto no habrá quien le roce"},  // 32
    {7, -1, kFalse, "Defensa fuerte, " "Piel de titanio: Su piel tiene hoy un brillo especial. siente que nada podrá dañarle."},  // 33
    {8, -1, kFalse, "Defensa débil, " "Tapa de cazuela: Si la usa como escudo ¿quién podrá golpearle?" "."},  // 34
    {8, -1, kFalse, "Defensa débil, " "Enciclopedia Británica: Está claro, ni una bala la atravesaría." "."},  // 35
    {8, -1, kFalse, "Defensa débil, " "Maniquí: Si le coloca sus ropas será él quien reciba los ataques, je je." "."},  // 36
    {8, -1, kFalse, "Defensa débil, " "Bote de laca: Si crea un escudo de humo a su alrededor nadie le podrá alcanzar, aunque su pelo quizá lo sufra." "."},  // 37
    {8, -1, kFalse, "Defensa débil, " "Una pizca de suerte: Lo justo para esquivar un ataque, nada más." "."},  // 38
    {8, -1, kFalse, "Defensa débil, " "Espejo de mano: Reflejando la luz a los ojos de su atacante, se podrá librar." "."},  // 39
    {8, -1, kFalse, "Defensa débil, " "polvos pica-pica: Lo justo para una escapada en el último momento." "."},  // 40
}};
// clang-format on

}  // namespace

const std::array<CardEntry, kCards>& card_catalogue() {
  return kCatalogue;
}

std::string card_name(std::string_view descripcion, bool corta) {
  if (!corta) return std::string(descripcion);
  const auto colon = descripcion.find(':');
  if (colon == std::string_view::npos) return std::string(descripcion);
  return std::string(descripcion.substr(0, colon));
}

void shuffle_succession(Succession& sucesion, Random& random) {
  for (int k = 0; k < 100; ++k) {
    const int j = random.draw(kCharacters - 1);
    Intercambia(sucesion[j], sucesion[j + 1]);
  }
}

void shuffle_pile(Pile& mazo, Random& random) {
  for (int k = 0; k < 2000; ++k) {
    const int a = random.draw(kShuffledPositions);
    const int b = random.draw(kShuffledPositions);
    Intercambia(mazo[b], mazo[a]);
  }
}

void compact_pile(Pile& mazo) {
  for (int i = 1; i <= kCards; ++i) {
    if (mazo[i] != 0) continue;
    for (int j = i + 1; j <= kCards; ++j) {
      if (mazo[j] != 0) {
        Intercambia(mazo[i], mazo[j]);
        break;
      }
    }
  }
}

std::uint64_t clock_seed(int hour, int minute, int second) {
  return static_cast<std::uint64_t>(hour) * static_cast<std::uint64_t>(minute) *
         static_cast<std::uint64_t>(second);
}

void deal_first_cards(Pile& mazo, Roster& personajes, Random& random) {
  mazo.fill(0);
  for (int i = 4; i <= kCards; ++i) mazo[i - 3] = static_cast<std::int16_t>(i);
  shuffle_pile(mazo, random);
  for (int i = 1; i <= kCharacters; ++i) {
    personajes[static_cast<std::size_t>(i)].Carta1 = mazo[i];
    mazo[i] = 0;
  }
  mazo[38] = 1;
  mazo[39] = 2;
  mazo[40] = 3;
  compact_pile(mazo);
}

}  // namespace fortuna
