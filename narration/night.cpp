#include "narration/night.h"

namespace fortuna {

namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kLongOpening =
    "Un nuevo día comienza y Mister Paul Mastiff, albacea del testamento y perteneciente al "
    "bufete Paws and Claws, se presenta cuando todo el grupo está reunido desaiunando. ";
constexpr const char* kClosedPrefix = " Debo informarles, me temo, de que se ha cerrado ";
constexpr const char* kHope = " Espero que no disturbe demasiado a los señores.";

// What the executor adds after the room where someone died.
const char* death_phrase(std::optional<Room> room) {
  if (!room) return "";
  switch (*room) {
    case Room::DrawingRoom:
      return " en extrañas circunstancias. ";
    case Room::Kitchen:
      return " debido a un lamentable accidente. ";
    case Room::Library:
      return "aunque no sé cómo murió. ";
    case Room::Bedroom:
      return " por lo cual les doy mis condolencias. ";
  }
  return "";
}

// A room closing after another one that night is told in a shorter sentence. The executor
// listens to his own words: a name with "distur" in it shortens the kitchen's sentence too.
std::string closing_sentence(Room room, const std::string& news_so_far) {
  const std::string name(room_name(room));
  switch (room) {
    case Room::Bedroom:
      return kClosedPrefix + name +
             " al uso mientras se aclaran los acontecimientos que están teniendo lugar en esta "
             "casa." +
             kHope;
    case Room::Library:
      if (news_so_far.find("disturbe") != std::string::npos)
        return " Asimismo ha sido necesario cerrar al uso la biblioteca por problemas de "
               "calefacción.";
      return kClosedPrefix + name + " al uso por problemas de calefacción." + kHope;
    case Room::Kitchen:
      if (news_so_far.find("distur") != std::string::npos)
        return " Lamentablemente, también ha sido necesario cerrar  la cocina de la mansión por "
               "diferentes motivos.";
      return kClosedPrefix + name + " al uso por quejas recibidas de los cocineros." + kHope;
    case Room::DrawingRoom:
      break;
  }
  return {};
}

}  // namespace

std::string death_report(const Game& game, const Death& death) {
  std::string attackers;
  for (const CharacterId attacker : death.attackers) {
    if (!attackers.empty()) attackers += " y de ";
    attackers += game.at(attacker).name;
  }
  return game.at(death.character).name + " cuando estaba en " + std::string(room_name(death.room)) +
         " ha recibido un ataque de " + attackers +
         " que le elimina definitivamente como aspirante a la fortuna de vadod brunilda";
}

std::string morning_news(const Game& game, const NightReport& night, CardNames names) {
  std::string news;
  if (night.heir_by_papers)
    news =
        "Tras la aparición de unos papeles incriminatorios, el heredero de la fortuna ha "
        "pasado a ser " +
        game.at(*night.heir_by_papers).name + ". " + kLineBreak;
  for (const Death& death : night.deaths)
    news += game.at(death.character).name + " ha muerto en " + std::string(room_name(death.room)) +
            death_phrase(death.room) + kLineBreak;
  for (const Room room : night.closed_rooms) news += closing_sentence(room, news);

  const std::string& heir = game.at(game.heir()).name;
  if (!news.empty()) {
    const std::string opening =
        names == CardNames::Short
            ? "Mister Paul Mastiff trae nuevas noticias por la mañana:"
            : std::string(kLongOpening) + "Tengo nuevas noticias para ustedes: ";
    return opening + news +
           ". Como ustedes ya sabrán, el heredero que actualmente es el primero en la línea de "
           "sucesión es, en estos momentos, " +
           heir + ". Que pasen  un día muy feliz.";
  }
  if (names == CardNames::Short) return "Mister Paul Mastiff dice: ";
  return std::string(kLongOpening) +
         "Sólo me he acercado para recordarles que el heredero que actualmente es el primero en "
         "la línea de sucesión es, en estos momentos,  " +
         heir + ". Que pasen  un día muy feliz.";
}

std::string closing_scene(const Game& game) {
  if (!game.winner) {
    if (game.ending != Ending::NobodyLeft) return {};
    return "El señor Mástiff, al llegar por la mañana como de costumbre, descubre que no queda "
           "nadie vivo en la casa. - ¡Qué familia tan curiosa! han preferido matarse entre ellos "
           "que llegar a un acuerdo y repartir la fortuna. En fin, el dinero le vendrá muy bien a "
           "la sociedad protectora de animales. -  Y diciendo ésto, cierra de nuevo la casa y se "
           "marcha.";
  }
  const std::string& winner = game.at(*game.winner).name;
  if (game.ending == Ending::HeirEscaped)
    return "Tras salir en plena noche de la casa, " + winner +
           " se presenta a primera hora  en las oficinas de Mister Paul Mástiff. - ¿Así que es "
           "usted finalmente quien se convertirá en multimillonario? ¡Mi enhorabuena! Fírmeme "
           "aquí y aquí y yo me encargaré de que sus parientes dejen la casa inmediatamente para "
           "que pueda entrar a vivir cuanto antes. ¡Ah! y ya sabe  que nuestra firma ha "
           "representado a su familia durante generaciones, esperamos seguir teniendo su "
           "confianza";
  return "Mister Paul Mástiff llega a la casa como todas las mañanas y finalmente sólo encuentra "
         "a una persona desaiunando. - Bien, así que es usted, " +
         winner +
         " quien recibirá la fortuna. Mi Enhorabuena. Aquí tiene las llaves de su casa, y si me "
         "firma aquí y aquí todo quedará    cerrado. Me alegro de que este fastidioso asunto se "
         "haya resuelto  a su favor. Mucha suerte, y ya sabe que nuestra firma ha representado a "
         "su familia durante muchas generaciones...";
}

}  // namespace fortuna
