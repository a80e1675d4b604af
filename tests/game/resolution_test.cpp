#include <gtest/gtest.h>

#include "game/hand_built_game.h"

namespace fortuna::testing {

namespace {

// Card numbers of the catalogue by kind.
constexpr int kKeys = 1, kHeirChange = 2, kHeirChange2 = 3, kSwap = 4;
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

class Resolution : public ::testing::Test, public HandBuiltGame {};

}  // namespace

TEST_F(Resolution, StrongAttackAgainstStrongDefenceLeavesTargetAlive) {
  play(2, kStrongHall, 3);
  play(3, kStrongDef);
  play(4, kStrongHall2, 5);
  play(5, kWeakDef);
  w.ResuelveDia();
  EXPECT_TRUE(alive(3));   // -2 + 2 = 0 survives
  EXPECT_FALSE(alive(5));  // -2 + 1.5 dies
  EXPECT_TRUE(alive(2));
  EXPECT_TRUE(alive(4));
}

TEST_F(Resolution, TwoWeakAttacksKillWithOrWithoutStrongDefence) {
  play(1, kWeak, 3);
  play(2, kWeak2, 3);
  play(4, kWeak3, 5);
  play(6, kWeak4, 5);
  play(5, kStrongDef);
  play(7, kWeak, 8);
  play(8, kWeakDef);
  play(9, kWeak2, 10);
  play(10, kStrongDef2);
  w.ResuelveDia();
  EXPECT_FALSE(alive(3));  // -3
  EXPECT_FALSE(alive(5));  // -1
  EXPECT_TRUE(alive(8));   // a single weak attack is stopped by either defence
  EXPECT_TRUE(alive(10));
}

TEST_F(Resolution, HidingPlaceOutlastsEveryAttackWhateverItsRoom) {
  play(1, kHideBedroom);  // the drawing room is not the bedroom: rooms are not tested
  const int attacks[] = {kStrongHall, kStrongHall2, kStrongKitchen, kStrongLibrary, kWeak,
                         kWeak2,      kWeak3,       kWeak4,         kWeak};
  for (int c = 2; c <= 10; ++c) play(c, attacks[c - 2], 1);
  w.ResuelveDia();
  EXPECT_TRUE(alive(1));
}

TEST_F(Resolution, DiscardedAttackOrKeysHaveNoEffect) {
  discard(2, kStrongHall);
  who(2).Objetivo = 3;
  discard(1, kKeys);  // the heir throws the keys away
  w.ResuelveDia();
  EXPECT_TRUE(alive(3));
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  EXPECT_FALSE(news().empty());
}

TEST_F(Resolution, HeirKilledWhilePlayingTheKeysDoesNotWin) {
  play(1, kKeys);
  play(3, kStrongHall, 1);
  w.ResuelveDia();
  EXPECT_FALSE(alive(1));
  EXPECT_EQ(w.Heredero, 2);
  EXPECT_EQ(w.Fase, kFaseInicioDia);
  EXPECT_NE(news().find(who(1).Nombre + " ha muerto en El salón en extrañas circunstancias. \r\n"),
            std::string::npos);
}

TEST_F(Resolution, NextHeirWhoAlsoPlayedTheKeysWinsAndTheNightStops) {
  dead(2);  // position 2 is skipped
  play(1, kKeys, 0, kWeakDef);
  play(4, kStrongHall, 1);
  play(3, kKeys, 0, kWeakDef2);
  w.ResuelveDia();
  EXPECT_EQ(w.Heredero, 3);
  EXPECT_EQ(w.Fase, kFaseFin);
  EXPECT_TRUE(news().empty());
  // nothing after the win: cards stay where they were played from
  EXPECT_EQ(who(3).Carta1, kKeys);
  EXPECT_EQ(who(4).Carta1, kStrongHall);
  EXPECT_EQ(w.Mazo[1], 0);
  EXPECT_TRUE(spoke_starting_with("Tras salir en plena noche de la casa, " + who(3).Nombre));
}

TEST_F(Resolution, TwoHeirChangesMoveTheHeirTwoLivingPlaces) {
  dead(2);
  play(5, kHeirChange);
  play(6, kHeirChange2);
  w.ResuelveDia();
  EXPECT_EQ(w.Heredero, 4);
  EXPECT_NE(news().find("Tras la aparición de unos papeles incriminatorios, el heredero de la "
                        "fortuna ha pasado a ser " +
                        who(4).Nombre + ". \r\n"),
            std::string::npos);
}

TEST_F(Resolution, HeirChangesThatComeBackToTheSameHeirAreNotTold) {
  for (int c = 3; c <= 10; ++c) dead(c);
  play(1, kHeirChange);
  play(2, kHeirChange2);
  w.Heredero = 2;
  w.ResuelveDia();
  EXPECT_EQ(w.Heredero, 2);
  EXPECT_EQ(news().find("Tras la aparición"), std::string::npos);
  EXPECT_FALSE(news().empty());  // rooms close with two alive
}

TEST_F(Resolution, KeysOfAnHeirMovedOnByPapersDoNotWinButTheNewHeirsDo) {
  play(1, kKeys);
  play(3, kHeirChange);
  w.ResuelveDia();
  EXPECT_EQ(w.Heredero, 2);
  EXPECT_EQ(w.Fase, kFaseInicioDia);

  HandBuiltGame other;
  other.play(1, kKeys);
  other.play(3, kHeirChange);
  other.play(2, kKeys);
  other.w.ResuelveDia();
  EXPECT_EQ(other.w.Fase, kFaseFin);
  EXPECT_TRUE(
      other.spoke_starting_with("Tras salir en plena noche de la casa, " + other.who(2).Nombre));
}

TEST_F(Resolution, RoomsFourThreeAndTwoCloseTogetherWithTheirSentencesInOrder) {
  for (int c = 8; c <= 10; ++c) dead(c);
  for (int c = 4; c <= 7; ++c) play(c - 3, kStrongHall, c);  // 7 alive, 4 die
  w.ResuelveDia();
  EXPECT_EQ(w.NumSalas, 1);
  EXPECT_EQ(w.SalaAbierta[2], kFalse);
  EXPECT_EQ(w.SalaAbierta[3], kFalse);
  EXPECT_EQ(w.SalaAbierta[4], kFalse);
  EXPECT_NE(w.SalaAbierta[1], kFalse);
  EXPECT_NE(news().find(kRoom4Closing + kLibraryShort + kKitchenShort + ". Como ustedes ya sabrán"),
            std::string::npos);
}

TEST_F(Resolution, RoomsCloseOnDifferentNightsWithTheirLongSentences) {
  dead(10);
  for (int c = 4; c <= 6; ++c) play(c - 3, kStrongHall, c);  // 9 alive, 3 die: 6 left
  w.ResuelveDia();
  EXPECT_EQ(w.NumSalas, 3);
  EXPECT_NE(news().find(kRoom4Closing), std::string::npos);
  EXPECT_EQ(news().find("biblioteca"), std::string::npos);

  HandBuiltGame later;
  for (int c = 6; c <= 10; ++c) later.dead(c);
  later.w.SalaAbierta[4] = kFalse;
  later.w.NumSalas = 3;
  later.play(1, kStrongHall, 5);  // 5 alive, 1 dies: 4 left
  later.w.ResuelveDia();
  EXPECT_EQ(later.w.NumSalas, 2);
  EXPECT_NE(later.news().find(kLibraryLong), std::string::npos);

  HandBuiltGame last;
  for (int c = 5; c <= 10; ++c) last.dead(c);
  for (int room = 3; room <= 4; ++room) last.w.SalaAbierta[room] = kFalse;
  last.w.NumSalas = 2;
  last.play(1, kStrongHall, 4);  // 4 alive, 1 dies: 3 left
  last.w.ResuelveDia();
  EXPECT_EQ(last.w.NumSalas, 1);
  EXPECT_NE(last.news().find(kKitchenLong), std::string::npos);
}

TEST_F(Resolution, ANameWithDisturChangesTheKitchenAndLibrarySentences) {
  for (int c = 5; c <= 10; ++c) dead(c);
  for (int room = 3; room <= 4; ++room) w.SalaAbierta[room] = kFalse;
  w.NumSalas = 2;
  who(4).Nombre = "Hugo el disturbado";
  play(1, kStrongHall, 4);
  w.ResuelveDia();
  EXPECT_NE(news().find(kKitchenShort), std::string::npos);

  HandBuiltGame library;
  for (int c = 6; c <= 10; ++c) library.dead(c);
  library.w.SalaAbierta[4] = kFalse;
  library.w.NumSalas = 3;
  library.who(5).Nombre = "Lola, que disturbe a todos";
  library.play(1, kStrongHall, 5);
  library.w.ResuelveDia();
  EXPECT_NE(library.news().find(kLibraryShort), std::string::npos);
  EXPECT_EQ(library.news().find(kLibraryLong), std::string::npos);

  HandBuiltGame only_distur;  // the library asks for the whole word
  for (int c = 6; c <= 10; ++c) only_distur.dead(c);
  only_distur.w.SalaAbierta[4] = kFalse;
  only_distur.w.NumSalas = 3;
  only_distur.who(5).Nombre = "Hugo el disturbado";
  only_distur.play(1, kStrongHall, 5);
  only_distur.w.ResuelveDia();
  EXPECT_NE(only_distur.news().find(kLibraryLong), std::string::npos);
}

TEST_F(Resolution, QuietNightRemindsWhoTheHeirIsOrSaysOnlyTheOpeningWhenShort) {
  w.Heredero = 7;
  w.ResuelveDia();
  EXPECT_EQ(
      news(),
      "Un nuevo día comienza y Mister Paul Mastiff, albacea del testamento y perteneciente al "
      "bufete Paws and Claws, se presenta cuando todo el grupo está reunido desaiunando. Sólo "
      "me he acercado para recordarles que el heredero que actualmente es el primero en la "
      "línea de sucesión es, en estos momentos,  Gaspar, el mayordomo. Que pasen  un día muy "
      "feliz.");

  HandBuiltGame short_mode;
  short_mode.w.DescripcionCorta = kTrue;
  short_mode.w.ResuelveDia();
  EXPECT_EQ(short_mode.news(), "Mister Paul Mastiff dice: ");
}

TEST_F(Resolution, NewsOfADeathReadsAsTheExecutorTellsIt) {
  w.Heredero = 7;
  who(1).Sala = 2;
  play(2, kStrongKitchen, 1);
  w.ResuelveDia();
  EXPECT_EQ(
      news(),
      "Un nuevo día comienza y Mister Paul Mastiff, albacea del testamento y perteneciente al "
      "bufete Paws and Claws, se presenta cuando todo el grupo está reunido desaiunando. "
      "Tengo nuevas noticias para ustedes: Bigotes, el gato andalú ha muerto en La cocina "
      "debido a un lamentable accidente. \r\n. Como ustedes ya sabrán, el heredero que "
      "actualmente es el primero en la línea de sucesión es, en estos momentos, Gaspar, el "
      "mayordomo. Que pasen  un día muy feliz.");

  HandBuiltGame short_mode;
  short_mode.w.DescripcionCorta = kTrue;
  short_mode.who(3).Sala = 3;
  short_mode.play(2, kWeak, 3);
  short_mode.w.ResuelveDia();
  EXPECT_EQ(short_mode.news().rfind("Mister Paul Mastiff trae nuevas noticias por la mañana:" +
                                        short_mode.who(3).Nombre +
                                        " ha muerto en La bibliotecaaunque no sé cómo murió. \r\n",
                                    0),
            0u);
}

TEST_F(Resolution, OnlyPeopleHearTheirDeathNamingTonightsAttackersOnly) {
  who(3).Humano = kTrue;
  dead(5);
  who(5).Objetivo = 3;  // aimed at 3 on the night 5 died
  play(1, kStrongHall, 3);
  play(2, kStrongHall2, 4);
  w.ResuelveDia();
  std::vector<std::string> reports;
  for (const auto& e : t.log.entries)
    if (e.wait_before && e.wait_after) reports.push_back(e.text);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], who(3).Nombre + " cuando estaba en El salón ha recibido un ataque de " +
                            who(1).Nombre +
                            " que le elimina definitivamente como aspirante a la fortuna de vadod "
                            "brunilda");
  EXPECT_FALSE(alive(3));
  EXPECT_FALSE(alive(4));
}

TEST_F(Resolution, OneSurvivorEndsTheGameWithoutNews) {
  for (int c = 3; c <= 10; ++c) dead(c);
  play(1, kStrongHall, 2);
  w.ResuelveDia();
  EXPECT_EQ(w.Fase, kFaseFin);
  EXPECT_TRUE(news().empty());
  EXPECT_TRUE(spoke_starting_with("Mister Paul Mástiff llega a la casa"));
}

TEST_F(Resolution, EverybodyDeadEndsTheGameBeforeTheKeysAndThePile) {
  for (int c = 3; c <= 10; ++c) dead(c);
  play(1, kStrongHall, 2);
  play(2, kStrongHall2, 1);
  w.ResuelveDia();
  EXPECT_FALSE(alive(1));
  EXPECT_FALSE(alive(2));
  EXPECT_EQ(w.Fase, kFaseFin);
  EXPECT_TRUE(spoke_starting_with("El señor Mástiff, al llegar por la mañana"));
  EXPECT_EQ(who(1).Carta1, kStrongHall);  // cards were not returned
  EXPECT_EQ(w.Mazo[1], 0);
  EXPECT_NE(w.SalaAbierta[4], kFalse);  // nor rooms closed
}

TEST_F(Resolution, PileKeepsItsOrderWithReturnedCardsInTheGapsAndClosedRoomsTakenOut) {
  for (int c = 3; c <= 10; ++c) dead(c);
  const int pile[] = {kWeak2, 0, kStrongLibrary, 0, kWeakDef2, kHideHall, 0, kStrongDef2};
  for (int i = 0; i < 8; ++i) w.Mazo[i + 1] = static_cast<std::int16_t>(pile[i]);
  play(1, kStrongHall, 2, kHideBedroom);  // kept card of a closing room stays in the hand
  discard(2, kStrongKitchen);             // thrown away, yet back in the pile like any played card
  who(2).Carta2 = kWeak3;
  w.ResuelveDia();  // one survivor: every room but the drawing room closes
  // kStrongKitchen and kStrongLibrary belonged to rooms that closed tonight
  const int expected[] = {kWeak2, kStrongHall, kWeakDef2, kHideHall, kStrongDef2};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(w.Mazo[i + 1], expected[i]) << "position " << i + 1;
  for (int i = 6; i <= kPileSize; ++i) EXPECT_EQ(w.Mazo[i], 0) << "position " << i;
  EXPECT_EQ(who(1).Carta1, kHideBedroom);
  EXPECT_EQ(who(2).Carta1, kWeak3);
  EXPECT_EQ(who(1).Carta2, 0);
}

TEST_F(Resolution, PlayedCardLeavesEitherSlotAndTheKeptCardEndsInSlotOne) {
  play(1, kWeakDef, 0, kStrongDef);
  Personaje& second = who(2);
  second.Carta1 = kWeak;
  second.Carta2 = kWeakDef2;
  second.CartaElegida = 2;
  w.Mazo[1] = kWeak2;
  w.ResuelveDia();
  // IniciaDia has dealt again since; the kept cards are still in slot 1
  EXPECT_EQ(who(1).Carta1, kStrongDef);
  EXPECT_EQ(who(2).Carta1, kWeak);
}

TEST_F(Resolution, SwapExchangesTheKeptCardsAndASwapWithNoTargetChangesNothing) {
  for (int c = 4; c <= 10; ++c) dead(c);
  for (int c = 1; c <= 3; ++c) who(c).Sala = 1;
  play(1, kSwap, 2, kStrongDef);
  play(2, kWeakDef, 0, kHideHall);
  play(3, kSwap + 1, 0, kWeak);  // aimed at nobody
  // three alive, nobody dies: the kitchen closes and the game goes on
  w.ResuelveDia();
  EXPECT_EQ(who(1).Carta1, kHideHall);
  EXPECT_EQ(who(2).Carta1, kStrongDef);
  EXPECT_EQ(who(3).Carta1, kWeak);
  EXPECT_EQ(who(0).Carta1, 0);
}

}  // namespace fortuna::testing
