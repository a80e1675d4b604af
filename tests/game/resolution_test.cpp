#include <gtest/gtest.h>

#include "game/hand_built_game.h"

namespace fortuna::testing {

namespace {

// Card numbers of the catalogue by kind.
constexpr int kKeys = 1, kHeirChange = 2, kHeirChange2 = 3, kSwap = 4, kSwap2 = 5;
constexpr int kHideBedroom = 6, kHideHall = 7;
constexpr int kStrongHall = 10, kStrongHall2 = 11, kStrongKitchen = 12, kStrongLibrary = 14;
constexpr int kWeak = 18, kWeak2 = 19, kWeak3 = 20, kWeak4 = 21;
constexpr int kStrongDef = 26, kStrongDef2 = 27, kWeakDef = 34, kWeakDef2 = 35;

const std::string kRoom4Closing =
    " Debo informarles, me temo, de que se ha cerrado El dormitorio al uso mientras se aclaran "
    "los acontecimientos que están teniendo lugar en esta casa. Espero que no disturbe demasiado "
    "a los señores.";
const std::string kLibraryShort =
    " Asimismo ha sido necesario cerrar al uso la biblioteca por problemas de calefacción.";
const std::string kLibraryLong =
    " Debo informarles, me temo, de que se ha cerrado La biblioteca al uso por problemas de "
    "calefacción. Espero que no disturbe demasiado a los señores.";
const std::string kKitchenShort =
    " Lamentablemente, también ha sido necesario cerrar  la cocina de la mansión por diferentes "
    "motivos.";
const std::string kKitchenLong =
    " Debo informarles, me temo, de que se ha cerrado La cocina al uso por quejas recibidas de "
    "los cocineros. Espero que no disturbe demasiado a los señores.";
const std::string kOpening =
    "Un nuevo día comienza y Mister Paul Mastiff, albacea del testamento y perteneciente al "
    "bufete Paws and Claws, se presenta cuando todo el grupo está reunido desaiunando. ";

// The night after a card phase: everybody in the drawing room.
struct Night : HandBuiltGame {
  Night() {
    for (int c = 1; c <= kCharacters; ++c) who(c).Sala = 1;
  }
  // The first spoken text that begins with one of the executor's morning openings.
  std::string news() const {
    for (const auto& e : t.log.entries)
      if (e.text.starts_with(kOpening) || e.text.starts_with("Mister Paul Mastiff ")) return e.text;
    return {};
  }
  bool spoke_starting_with(const std::string& start) const {
    for (const auto& e : t.log.entries)
      if (e.text.starts_with(start)) return true;
    return false;
  }
  bool left_with_the_keys(int c) {
    return w.Fase == kFaseFin &&
           spoke_starting_with("Tras salir en plena noche de la casa, " + name(c));
  }
};

class Resolution : public ::testing::Test, public Night {};

}  // namespace

TEST_F(Resolution, OnlyABalanceBelowZeroKills) {
  play(2, kStrongHall, 3);
  play(3, kStrongDef);  // -2 + 2 = 0 survives
  play(4, kStrongHall2, 5);
  play(5, kWeakDef);  // -2 + 1.5
  play(6, kWeak, 7);
  play(8, kWeak2, 7);  // -3
  play(9, kWeak3, 10);
  play(1, kWeak4, 10);
  play(10, kStrongDef2);  // -3 + 2
  w.ResuelveDia();
  for (int c = 1; c <= kCharacters; ++c) EXPECT_EQ(alive(c), c != 5 && c != 7 && c != 10) << c;
}

TEST_F(Resolution, HidingPlaceOutlastsEveryAttackAndDiscardedCardsDoNothing) {
  play(1, kHideBedroom);  // the drawing room is not the bedroom: rooms are not tested
  for (int c = 2; c <= 8; ++c) play(c, c % 2 == 0 ? kStrongHall : kWeak, 1);
  w.Heredero = 10;
  play(10, kKeys);
  play(9, kStrongHall2, 10);
  who(10).Descartar = who(9).Descartar = kTrue;
  w.ResuelveDia();
  for (int c = 1; c <= kCharacters; ++c) EXPECT_TRUE(alive(c)) << c;
  EXPECT_EQ(w.Fase, kFaseInicioDia);
}

TEST(ResolutionHeir, PapersMoveTheHeirAndOnlyTheHeirAliveAfterThemWinsWithTheKeys) {
  struct Play {
    int c, card, target;
  };
  struct Case {
    std::vector<Play> plays;
    std::vector<int> dead;
    int heir_before, heir_after, winner;  // winner 0: the game goes on
    std::string said, unsaid;
  };
  const std::string papers =
      "Tras la aparición de unos papeles incriminatorios, el heredero de la fortuna ha pasado a "
      "ser ";
  const std::string died =
      "Bigotes, el gato andalú ha muerto en El salón en extrañas circunstancias. \r\n";
  const Case cases[] = {
      // killed the night he plays the keys; the next living heir who also played them wins
      {{{1, kKeys, 0}, {3, kStrongHall, 1}}, {}, 1, 2, 0, died, papers},
      {{{1, kKeys, 0}, {4, kStrongHall, 1}, {3, kKeys, 0}}, {2}, 1, 3, 3, "", ""},
      // moved on by papers before the keys are tested
      {{{1, kKeys, 0}, {3, kHeirChange, 0}}, {}, 1, 2, 0, papers + "Sir Reginald", ""},
      {{{1, kKeys, 0}, {3, kHeirChange, 0}, {2, kKeys, 0}}, {}, 1, 2, 2, "", ""},
      // two papers move it two living places; a full circle is not told
      {{{5, kHeirChange, 0}, {6, kHeirChange2, 0}}, {2}, 1, 4, 0, papers + "Kevin, el", ""},
      {{{1, kHeirChange, 0}, {2, kHeirChange2, 0}}, {3, 4, 5, 6, 7, 8, 9, 10}, 2, 2, 0, "", papers},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "heir after " << c.heir_after << ", winner " << c.winner);
    Night n;
    for (int d : c.dead) n.dead(d);
    for (const Play& p : c.plays) n.play(p.c, p.card, p.target, kWeakDef);
    n.w.Heredero = static_cast<std::int16_t>(c.heir_before);
    n.w.ResuelveDia();
    EXPECT_EQ(n.w.Heredero, c.heir_after);
    EXPECT_EQ(n.left_with_the_keys(c.winner), c.winner != 0);
    EXPECT_EQ(n.news().empty(), c.winner != 0);                    // the night stops at the win
    EXPECT_EQ(n.who(c.winner).Carta1, c.winner != 0 ? kKeys : 0);  // nothing returned
    EXPECT_NE(n.news().find(c.said), std::string::npos) << n.news();
    EXPECT_TRUE(c.unsaid.empty() || n.news().find(c.unsaid) == std::string::npos) << n.news();
  }
}

TEST(ResolutionRooms, RoomsCloseAsTheHouseholdShrinksWithTheirSentences) {
  struct Case {
    int alive, open, kills;
    const char* victim_name;  // the last victim's name, or nullptr
    int open_after;
    std::string said, unsaid;
  };
  const Case cases[] = {
      {9, 4, 3, nullptr, 3, kRoom4Closing, "biblioteca"},
      {7, 4, 4, nullptr, 1, kRoom4Closing + kLibraryShort + kKitchenShort + ". Como ustedes",
       "quejas"},
      {5, 3, 1, nullptr, 2, kLibraryLong, "Asimismo"},
      {4, 2, 1, nullptr, 1, kKitchenLong, "Lamentablemente"},
      {4, 2, 1, "Hugo el disturbado", 1, kKitchenShort, "quejas"},
      {5, 3, 1, "Lola, que disturbe a todos", 2, kLibraryShort, "calefacción. Espero"},
      {5, 3, 1, "Hugo el disturbado", 2, kLibraryLong, "Asimismo"},  // the whole word
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.alive << " alive, " << c.kills << " killed");
    Night n;
    for (int d = c.alive + 1; d <= kCharacters; ++d) n.dead(d);
    n.open_rooms(c.open);
    for (int k = 1; k <= c.kills; ++k) n.play(k, kStrongHall, c.alive - c.kills + k);
    if (c.victim_name != nullptr) n.who(c.alive).Nombre = c.victim_name;
    n.w.ResuelveDia();
    EXPECT_EQ(n.w.NumSalas, c.open_after);
    for (int room = 1; room <= kRooms; ++room)
      EXPECT_EQ(n.w.SalaAbierta[room] != 0, room <= c.open_after) << room;
    EXPECT_NE(n.news().find(c.said), std::string::npos) << n.news();
    EXPECT_EQ(n.news().find(c.unsaid), std::string::npos) << n.news();
  }
}

TEST_F(Resolution, MorningNewsTellsTheDeathsOrRemindsWhoTheHeirIsInLongAndShortWords) {
  w.Heredero = 7;
  w.ResuelveDia();
  EXPECT_EQ(news(), kOpening +
                        "Sólo me he acercado para recordarles que el heredero que actualmente es "
                        "el primero en la línea de sucesión es, en estos momentos,  Gaspar, el "
                        "mayordomo. Que pasen  un día muy feliz.");

  Night short_mode;
  short_mode.w.DescripcionCorta = kTrue;
  short_mode.w.ResuelveDia();
  EXPECT_EQ(short_mode.news(), "Mister Paul Mastiff dice: ");

  Night death;
  death.w.Heredero = 7;
  death.who(1).Sala = 2;
  death.play(2, kStrongKitchen, 1);
  death.w.ResuelveDia();
  EXPECT_EQ(death.news(),
            kOpening +
                "Tengo nuevas noticias para ustedes: Bigotes, el gato andalú ha muerto en La "
                "cocina debido a un lamentable accidente. \r\n. Como ustedes ya sabrán, el "
                "heredero que actualmente es el primero en la línea de sucesión es, en estos "
                "momentos, Gaspar, el mayordomo. Que pasen  un día muy feliz.");

  Night short_death;
  short_death.w.DescripcionCorta = kTrue;
  short_death.who(3).Sala = 3;
  short_death.play(2, kWeak, 3);
  short_death.w.ResuelveDia();
  EXPECT_TRUE(short_death.news().starts_with(
      "Mister Paul Mastiff trae nuevas noticias por la mañana:" + short_death.name(3) +
      " ha muerto en La bibliotecaaunque no sé cómo murió. \r\n"));
}

TEST_F(Resolution, OnlyPeopleHearTheirDeathNamingTonightsAttackersOnly) {
  who(3).Humano = kTrue;
  dead(5);
  who(5).Objetivo = 3;  // aimed at 3 on the night 5 died
  play(1, kStrongHall, 3);
  play(2, kStrongHall2, 4);
  play(3, kStrongHall2, 1);  // killed tonight, still named by 1's report were 1 a person
  w.ResuelveDia();
  std::vector<std::string> reports;
  for (const auto& e : t.log.entries)
    if (e.wait_before && e.wait_after) reports.push_back(e.text);
  EXPECT_EQ(reports,
            std::vector<std::string>{
                name(3) + " cuando estaba en El salón ha recibido un ataque de " + name(1) +
                " que le elimina definitivamente como aspirante a la fortuna de vadod "
                "brunilda"});
  EXPECT_FALSE(alive(4));
}

TEST_F(Resolution, OneSurvivorOrNobodyEndsTheGameWithoutNews) {
  for (int c = 3; c <= 10; ++c) dead(c);
  play(1, kStrongHall, 2);
  w.ResuelveDia();
  EXPECT_EQ(w.Fase, kFaseFin);
  EXPECT_TRUE(news().empty());
  EXPECT_TRUE(spoke_starting_with("Mister Paul Mástiff llega a la casa"));

  Night none;  // everybody dead: the end comes before the keys and the pile
  for (int c = 3; c <= 10; ++c) none.dead(c);
  none.play(1, kStrongHall, 2);
  none.play(2, kStrongHall2, 1);
  none.w.ResuelveDia();
  EXPECT_EQ(none.w.Fase, kFaseFin);
  EXPECT_TRUE(none.spoke_starting_with("El señor Mástiff, al llegar por la mañana"));
  EXPECT_EQ(none.who(1).Carta1, kStrongHall);  // cards were not returned
  EXPECT_EQ(none.w.Mazo[1], 0);
  EXPECT_NE(none.w.SalaAbierta[4], kFalse);  // nor rooms closed
}

TEST_F(Resolution, PileKeepsItsOrderWithReturnedCardsInTheGapsAndClosedRoomsTakenOut) {
  for (int c = 3; c <= 10; ++c) dead(c);
  const int pile[] = {kWeak2, 0, kStrongLibrary, 0, kWeakDef2, kHideHall, 0, kStrongDef2};
  for (int i = 0; i < 8; ++i) w.Mazo[i + 1] = static_cast<std::int16_t>(pile[i]);
  play(1, kStrongHall, 2, kHideBedroom);  // kept card of a closing room stays in the hand
  play(2, kStrongKitchen, 0, kWeak3);     // thrown away, yet back in the pile like any played card
  who(2).Descartar = kTrue;
  w.ResuelveDia();  // one survivor: every room but the drawing room closes
  // kStrongKitchen and kStrongLibrary belonged to rooms that closed tonight
  const int expected[] = {kWeak2, kStrongHall, kWeakDef2, kHideHall, kStrongDef2};
  for (int i = 1; i <= kPileSize; ++i)
    EXPECT_EQ(w.Mazo[i], i <= 5 ? expected[i - 1] : 0) << "position " << i;
  EXPECT_EQ(who(1).Carta1, kHideBedroom);
  EXPECT_EQ(who(2).Carta1, kWeak3);
  EXPECT_EQ(who(1).Carta2, 0);
}

TEST_F(Resolution, SwapExchangesTheKeptCardsAndASwapWithNoTargetChangesNothing) {
  for (int c = 4; c <= 10; ++c) dead(c);
  play(1, kSwap, 2, kStrongDef);
  hand(2, kHideHall, kWeakDef);  // played from slot 2, kept in slot 1
  who(2).CartaElegida = 2;
  play(3, kSwap2, 0, kWeak);  // aimed at nobody
  w.ResuelveDia();            // three alive, nobody dies: the game goes on
  EXPECT_EQ(who(1).Carta1, kHideHall);
  EXPECT_EQ(who(2).Carta1, kStrongDef);
  EXPECT_EQ(who(3).Carta1, kWeak);
  EXPECT_EQ(who(0).Carta1, 0);
}

}  // namespace fortuna::testing
