#include "data/cards.h"

#include <cassert>

#include "data/rooms.h"

namespace fortuna {

namespace {

constexpr std::optional<Room> kAnyRoom;

// clang-format off
constexpr std::array<Card, kCardCount> kCatalogue = {{
    {CardKind::Keys, Room::DrawingRoom, false, "Las llaves: Si usted es el heredero actual, vaya al salón y use esta carta, si nada se interpone se irá de la casa con la herencia y habrá ganado la partida"},
    {CardKind::HeirChange, kAnyRoom, false, "Cambio de heredero: Dispone de papeles que demuestran que el actual heredero no es digno de recibir la herencia. Use esta carta y el heredero pasará a ser el siguiente en la lista"},
    {CardKind::HeirChange, kAnyRoom, false, "Cambio de heredero: Dispone de papeles que demuestran que el actual heredero no es digno de recibir la herencia. Use esta carta y el heredero pasará a ser el siguiente en la lista"},
    {CardKind::CardSwap, kAnyRoom, true, "Cambio de carta: Cree que otro candidato tiene más posibilidades que usted. Elija un buen momento, y péguele el cambiazo."},
    {CardKind::CardSwap, kAnyRoom, true, "Cambio de carta: Cree que otro candidato tiene más posibilidades que usted. Elija un buen momento, y péguele el cambiazo."},
    {CardKind::HidingPlace, Room::Bedroom, false, "Escondite, dormitorio: Clásico pero eficaz, métase debajo de la cama en el dormitorio y estará a salvo de malas intenciones."},
    {CardKind::HidingPlace, Room::DrawingRoom, false, "Escondite, salón: Nadie recuerda ya que empujando el 4º candelabro del salón se abre la trampilla de la antigua carbonera. Allí estará a salvo de todo."},
    {CardKind::HidingPlace, Room::Kitchen, false, "Escondite, cocina:Entrando por la cocina, al fondo de la despensa queda un hueco en la sombra que es imposible ver desde fuera.Allí estará a salvo de herederos malintencionados"},
    {CardKind::HidingPlace, Room::Library, false, "Escondite, biblioteca: sólo usted conoce ese hueco detrás de la librería de literatura rusa del siglo XVII. Allí estará a salvo de todo peligro por un rato."},
    {CardKind::StrongAttack, Room::DrawingRoom, true, "Ataque fuerte, salón: La chimenea del salón siempre está encendida. Elija una víctima, pídele que se acerque y ¡Zas! láncelo dentro sin remordimientos. Seguro que él también lo haría."},
    {CardKind::StrongAttack, Room::DrawingRoom, true, "Ataque fuerte, salón: el sofá del salón siempre ha tenido un muelle suelto. Si lo refuerza un poco e inadvertidamente  empuja a alguien   con un poco de impulso... ¡Zas! estampado contra el techo"},
    {CardKind::StrongAttack, Room::Kitchen, true, "Ataque fuerte, cocina: En la cocina ha encontrado un bote de polvos que tiene una calavera  y unas tibias grandes y rojas pintadas en él. ¿Qué cree que pasaría si 'accidentalmente' cayera en el bizcocho y uno de los herederos lo comiera?"},
    {CardKind::StrongAttack, Room::Kitchen, true, "Ataque fuerte, cocina: Deberían reparar esa estantería de la cocina. Si alguien la golpea sin darse cuenta, la olla a presión que está en la balda superior podría caerle a alguien en la cabeza, ¿no cree?"},
    {CardKind::StrongAttack, Room::Library, true, "Ataque fuerte, biblioteca: La biblioteca está espléndidamente iluminada por una espectacular lámpara de araña que debe pesar al menos 500 libras. Y toda ella está soportada por esta pequeña cuerda... ¿Qué pasaría si le cayera encima a alguien?"},
    {CardKind::StrongAttack, Room::Library, true, "Ataque fuerte, biblioteca:Una espléndida armadura de las cruzadas del siglo XI adorna la biblioteca. Hace mucho tiempo usted aprendió que si empuja un resorte del brazalete derecho, la armadura baja con gran fuerza el brazo de la espada con un efecto espectacular y cortando en dos cualquier cosa que se ponga en su camino. Sería muy fácil invitar a contemplar la armadura a un heredero y pulsar el resorte sin que se dé cuenta a tiempo."},
    {CardKind::StrongAttack, Room::Bedroom, true, "Ataque fuerte, dormitorio: Las escaleras  que llevan al dormitorio tienen una trampilla en uno de los últimos escalones que se suelta al pulsar un resorte. Si alguien apoya su peso encima cuando está suelta sabrá qué  se siente al caer desde 20 metros de altura, y ahora  usted sabe dónde está exactamente el resorte que activa esa trampilla."},
    {CardKind::StrongAttack, Room::Bedroom, true, "Ataque fuerte, dormitorio: El que mandó instalar la moderna caja fuerte del dormitorio tenía unas ideas muy retorcidas. Si desde que se descorre el cuadro que tapa la caja pasan más de 20 segundos hasta que se abre la caja, ésta lanza dos dardos envenenados hacia el cuello de la persona que esté delante. Piensa que esta no es una historia muy difundida, y quizá alguno de estos codiciosos herederos esté interesado en la caja. ¿No le parece?"},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, Revólver: Es una pieza curiosa, creada en los tiempos del salvaje oeste, pero que ahora le permitirá intentar librarse de uno de los herederos."},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, pistola: Elija un buen punto para ocultarse, y cuando un heredero le de la espalda, ¡zas! un desafortunado accidente ocurrirá."},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, cuchillo: En uno de sus momentos extravagantes de la juventud usted aprendió cómo lanzar el cuchillo con gran fuerza y precisión.¿Qué podría ocurrir si 'por error' uno de los herederos se interpusiera entre usted y su blanco?"},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, cerbatana amazónica: En una de las vueltas que da por la casa ha encontrado una cerbatana y sus dardos envenenados. No puede resistir la tentación, tiene que probar a hacer un disparo. ¿y qué mejor blanco que otro de los herederos?"},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, ballesta: Uno de esos artilugios de hace un montón de años, pero que sigue siendo tan letal como siempre."},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, Piel de plátano: Sí, no es algo muy digno, pero... bien pensado... ¿qué mejor manera de simular un accidente podría encontrar?"},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, tirachinas: Nadie supera su habilidad con este arma milenaria, en cuanto alguien se ponga a tiro, ¡Zas!"},
    {CardKind::WeakAttack, kAnyRoom, true, "Ataque débil, Guillotina: Un empujón en el momento exacto y cualquiera puede darse un cabezazo contra el jarrón chino, rebotar y acabar con el cuello dentro de la guillotina y... en fin... otra triste pérdida en la familia."},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Sexto sentido: parece que hoy tuviera un sexto sentido que le previene de cualquier amenaza. "},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Insomnio: tras una noche de insomnio su carácter está bastante agriado, pero sus sentidos están a pleno rendimiento para detectar cualquier agresión. "},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Sentido arácnido: No, no le ha picado nada, pero nota todo lo que pasa a su alrededor con una sensibilidad poco frecuente. "},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Intuición: ¿Recuerda todas las veces que se ha librado de un accidente por los pelos? parece que tiene una intuición especial."},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Olfato canino: ¿Por qué huelen tanto las cosas? Parece que hoy tiene algo raro en la nariz."},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Aura: Desde que se ha levantado siente un aura a su alrededor que le protege de todo."},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Chaleco antibalas: Con ésto no habrá quien le roce"},
    {CardKind::StrongDefence, kAnyRoom, false, "Defensa fuerte, " "Piel de titanio: Su piel tiene hoy un brillo especial. siente que nada podrá dañarle."},
    {CardKind::WeakDefence, kAnyRoom, false, "Defensa débil, " "Tapa de cazuela: Si la usa como escudo ¿quién podrá golpearle?" "."},
    {CardKind::WeakDefence, kAnyRoom, false, "Defensa débil, " "Enciclopedia Británica: Está claro, ni una bala la atravesaría." "."},
    {CardKind::WeakDefence, kAnyRoom, false, "Defensa débil, " "Maniquí: Si le coloca sus ropas será él quien reciba los ataques, je je." "."},
    {CardKind::WeakDefence, kAnyRoom, false, "Defensa débil, " "Bote de laca: Si crea un escudo de humo a su alrededor nadie le podrá alcanzar, aunque su pelo quizá lo sufra." "."},
    {CardKind::WeakDefence, kAnyRoom, false, "Defensa débil, " "Una pizca de suerte: Lo justo para esquivar un ataque, nada más." "."},
    {CardKind::WeakDefence, kAnyRoom, false, "Defensa débil, " "Espejo de mano: Reflejando la luz a los ojos de su atacante, se podrá librar." "."},
    {CardKind::WeakDefence, kAnyRoom, false, "Defensa débil, " "polvos pica-pica: Lo justo para una escapada en el último momento." "."},
}};
// clang-format on

}  // namespace

const Card& card(CardId id) {
  assert(id >= 0 && id < kCardCount);
  return kCatalogue[static_cast<std::size_t>(id)];
}

}  // namespace fortuna
