#include <gtest/gtest.h>

#include <array>
#include <string>

#include "model/random.h"
#include "support/test_program.h"

namespace fortuna::testing {

namespace {

// More keys than any game needs: a game still running after them never ends.
constexpr int kKeyLimit = 3000;

std::string where(TestProgram& t, int key_number) {
  const TimeOfDay c = t.clock.now();
  return "key " + std::to_string(key_number) + ", Fase " + std::to_string(t.main().Fase) +
         ", clock " + std::to_string(c.hour * 10000 + c.minute * 100 + c.second);
}

// The ending the executor told, from the closing scene: 1 keys, 2 nobody, 3 one left; 0 none.
int ending(const TestProgram& t) {
  for (const auto& e : t.log.entries) {
    if (e.text.rfind("Tras salir en plena noche de la casa, ", 0) == 0) return 1;
    if (e.text.rfind("El señor Mástiff, al llegar por la mañana", 0) == 0) return 2;
    if (e.text.rfind("Mister Paul Mástiff llega a la casa", 0) == 0) return 3;
  }
  return 0;
}

// What a careful person would press now: an answer when asked, otherwise the advance.
int answer(TestProgram& t, Random& choice, int& shift) {
  MainWindow& w = t.main();
  shift = 0;
  const int c = w.TurnoActual >= 1 && w.TurnoActual <= w.turn_count() ? w.current_character() : 0;
  const Personaje& p = t.roster()[static_cast<std::size_t>(c)];
  if (w.Fase == kFaseSalas && c != 0 && p.Humano != 0 && p.Sala < 1)
    return keys::k0 + choice.draw(w.NumSalas);
  if (w.Fase == kFaseCartas && c != 0 && p.Humano != 0 && p.CartaElegida < 1) {
    if (choice.draw(5) == 1) shift = keys::kCtrl;  // now and then a card is thrown away
    return keys::k0 + choice.draw(2);
  }
  if (w.Fase == kFaseObjetivo) return keys::k0 + choice.draw(w.NumObjetivos);
  return keys::kSpace;
}

}  // namespace

TEST(WholeGame, ComputerGamesEndInEveryWayAndKeepTheInvariantsAfterEveryKey) {
  std::array<int, 4> endings{};
  for (int game = 0; game < 200; ++game) {
    TestProgram t({game % 24, (game * 17) % 60, (game * 31) % 60});
    t.start_game();
    ASSERT_EQ(t.invariants(), "") << where(t, 0);
    int k = 0;
    for (; k < kKeyLimit && t.main().Fase != kFaseFin; ++k) {
      t.key(keys::kSpace);
      ASSERT_EQ(t.invariants(), "") << where(t, k);
    }
    ASSERT_EQ(t.main().Fase, kFaseFin) << where(t, k);
    const int how = ending(t);
    ASSERT_NE(how, 0) << where(t, k);
    ++endings[static_cast<std::size_t>(how)];
    EXPECT_EQ(t.log.last(),
              "La partida ha terminado, pulse 1 para volver a empezar o escape  para salir.");
  }
  for (int how : {1, 2, 3}) EXPECT_GT(endings[static_cast<std::size_t>(how)], 0) << how;
}

TEST(WholeGame, PeopleAnsweringEveryQuestionPlayToTheEndAndAgain) {
  Random choice(7);
  for (int game = 0; game < 20; ++game) {
    TestProgram t({1 + game % 23, 1 + (game * 11) % 59, 1 + (game * 3) % 59});
    t.start();
    for (int c = 1; c <= kCharacters; ++c) {  // about half the characters are people
      if (choice.draw(2) == 1) t.key(keys::kSpace);
      t.key(keys::kRight);
    }
    t.key(keys::kEnter);
    for (int round = 0; round < 2; ++round) {
      int k = 0;
      for (; k < kKeyLimit && t.main().Fase != kFaseFin; ++k) {
        int shift = 0;
        const int key = answer(t, choice, shift);
        t.key(key, shift);
        ASSERT_EQ(t.invariants(), "") << where(t, k);
        ASSERT_EQ(t.platform.beeps, 0) << where(t, k) << ": an answer was refused";
      }
      ASSERT_EQ(t.main().Fase, kFaseFin) << where(t, k);
      t.key(keys::k1);  // and a new game
      ASSERT_EQ(t.invariants(), "");
      ASSERT_EQ(t.main().Fase, kFaseInicioDia);
    }
  }
}

TEST(WholeGame, RandomKeysNeverBreakTheGame) {
  static constexpr int kKeys[] = {
      keys::k0,     keys::k1,     keys::k1,     keys::k1,     keys::k0 + 2, keys::k0 + 2,
      keys::k0 + 3, keys::k0 + 4, keys::k9,     keys::kSpace, keys::kSpace, keys::kSpace,
      keys::kSpace, keys::kF2,    keys::kF5,    keys::kF6,    keys::kF7,    keys::kF8,
      keys::kF9,    keys::kF10,   keys::kC,     keys::kH,     keys::kP,     keys::kControl,
      keys::kEnter, keys::kLeft,  keys::kRight, keys::kTab,   keys::kF4,    keys::kEscape};
  constexpr int kinds = static_cast<int>(sizeof kKeys / sizeof kKeys[0]);
  Random random(2024);
  int nights = 0, endings = 0, targets = 0;
  for (int run = 0; run < 60; ++run) {
    TestProgram t({1 + run % 23, 1 + (run * 5) % 59, 1 + (run * 19) % 59});
    t.platform.answers = {"Nombre cambiado", "", "Ñandú disturbado"};
    t.start();
    for (int k = 0; k < 600 && !t.program.ended(); ++k) {
      const int key = kKeys[random.draw(kinds) - 1];
      // Escape and Alt+F4 end the program; let them through only now and then.
      if ((key == keys::kEscape || key == keys::kF4) && random.draw(20) != 1) continue;
      const int shift = random.draw(4) == 1 ? random.draw(8) - 1 : 0;
      const int fase = t.main().Fase;
      t.key(key, shift);
      if (fase == kFaseCartas && t.main().Fase != kFaseCartas && t.main().Fase != kFaseObjetivo)
        ++nights;
      if (fase != kFaseFin && t.main().Fase == kFaseFin) ++endings;
      if (fase != kFaseObjetivo && t.main().Fase == kFaseObjetivo) ++targets;
      ASSERT_EQ(t.invariants(), "")
          << where(t, k) << ", run " << run << ", key code " << key << ", modifiers " << shift;
    }
  }
  // the keys reached deep into the game, not only the start screen
  EXPECT_GT(nights, 200);
  EXPECT_GT(endings, 20);
  EXPECT_GT(targets, 20);
}

}  // namespace fortuna::testing
