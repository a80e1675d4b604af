#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

const std::vector<std::string> kNames = {
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

// What one key brought about: the events after it, up to the next key.
struct Step {
  std::string key;
  std::vector<std::string> spoken, labels;
  int beeps = 0;
};

std::vector<Step> steps_of(const RunResult& r) {
  std::vector<Step> steps;
  for (const auto& e : r.events) {
    const std::string kind = e.value("event", "");
    if (kind == "key") steps.push_back({e["key"], {}, {}, 0});
    if (steps.empty()) continue;
    if (kind == "speak") steps.back().spoken.push_back(e["text"]);
    if (kind == "label") steps.back().labels.push_back(e["text"]);
    if (kind == "beep") ++steps.back().beeps;
  }
  return steps;
}

bool starts_with(const std::string& s, const std::string& prefix) {
  return s.rfind(prefix, 0) == 0;
}
bool ends_with(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}
int count_of(const std::string& s, const std::string& part) {
  int n = 0;
  for (auto at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) ++n;
  return n;
}

// Bigotes and Sir Reginald are played by people, the other eight by the computer. The clock
// fixes the game: Reginald comes first in the order, Bigotes holds a weak attack as card 2,
// and the last of the order is a computer's character.
TEST(DayPhasesScenario, TwoPeopleAndEightComputersGoThroughTheRoomAndCardPhases) {
  const std::string script =
      "Space\nRight\nSpace\nEnter\n"  // people: Bigotes and Sir Reginald
      "Space\n"                       // 5: the room phase
      "1\n2\n"                        // 6, 7: Reginald to El salón, Bigotes to La cocina
      "3\n"                           // 8: everyone has a room already
      "Space\n"                       // 9: the card phase
      "1\n2\n"                        // 10, 11: Reginald's hiding place, Bigotes' weak attack
      "0\nSpace\n3\n"                 // 12-14: nobody, the list again, the third target
      "1\n";                          // 15: the last of the order is the computer's
  RunResult r = run_fortuna(script, {"--clock", "10:20:30"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::vector<Step> steps = steps_of(r);
  ASSERT_EQ(steps.size(), 15u);

  const std::string rooms =
      "(pulse el número correspondiente).1. El salón, 2. La cocina, 3. La biblioteca, 4. "
      "El dormitorio, ";
  ASSERT_EQ(steps[4].spoken.size(), 1u);
  EXPECT_TRUE(
      starts_with(steps[4].spoken[0], kNames[1] + ", es su turno de jugar. Sus cartas son: 1. "));
  EXPECT_TRUE(ends_with(steps[4].spoken[0], rooms));
  EXPECT_TRUE(steps[4].labels.empty());
  ASSERT_EQ(steps[5].spoken.size(), 1u);
  EXPECT_TRUE(
      starts_with(steps[5].spoken[0], kNames[0] + ", es su turno de jugar. Sus cartas son: 1. "));
  EXPECT_TRUE(ends_with(steps[5].spoken[0], rooms));

  // The room label: four headings, every character in exactly one room, the people where sent.
  ASSERT_EQ(steps[6].labels.size(), 1u);
  const std::string& room_label = steps[6].labels[0];
  EXPECT_TRUE(starts_with(room_label, "El salón\r\n"));
  for (const char* heading :
       {"\r\nLa cocina\r\n", "\r\nLa biblioteca\r\n", "\r\nEl dormitorio\r\n"})
    EXPECT_EQ(count_of(room_label, heading), 1) << heading;
  for (const auto& name : kNames) EXPECT_EQ(count_of(room_label, name + "; "), 1) << name;
  EXPECT_LT(room_label.find(kNames[1]), room_label.find("\r\nLa cocina"));
  EXPECT_GT(room_label.find(kNames[0]), room_label.find("\r\nLa cocina"));
  EXPECT_LT(room_label.find(kNames[0]), room_label.find("\r\nLa biblioteca"));
  EXPECT_EQ(steps[6].spoken,
            std::vector<std::string>{"salas asignadas. Pulse espacio  para continuar "});

  EXPECT_EQ(steps[7].beeps, 1);
  EXPECT_TRUE(steps[7].spoken.empty());

  const std::string question =
      ". ¿Qué carta desea utilizar? (pulse 1 o 2, y Si desea descartar una carta sin utilizarla, "
      "mantenga pulsada la tecla control)";
  ASSERT_EQ(steps[8].spoken.size(), 1u);
  EXPECT_TRUE(starts_with(steps[8].spoken[0],
                          kNames[1] + ", es su turno de jugar. está en El salón junto a "));
  EXPECT_EQ(steps[8].spoken[0].find(kNames[1], 1), std::string::npos);
  EXPECT_NE(steps[8].spoken[0].find(",  Recuerde que  sus cartas son: 1. "), std::string::npos);
  EXPECT_TRUE(ends_with(steps[8].spoken[0], question));
  ASSERT_EQ(steps[9].spoken.size(), 1u);
  EXPECT_TRUE(starts_with(steps[9].spoken[0],
                          kNames[0] + ", es su turno de jugar. está en La cocina junto a "));

  // The weak attack offers the nine others, numbered in order.
  std::string list = " Indique con qué heredero desea usar esa carta: ";
  for (int j = 2; j <= 10; ++j) list += std::to_string(j - 1) + ". " + kNames[j - 1] + ", ";
  EXPECT_EQ(steps[10].spoken, (std::vector<std::string>{
                                  "Elija el jugador con el que va a realizar la acción", list}));
  EXPECT_EQ(
      steps[11].spoken,
      std::vector<std::string>{
          "Sólo hay 9 objetivos para elegir. Pulse espacio para escuchar sus nombres de nuevo"});
  EXPECT_EQ(steps[12].spoken, std::vector<std::string>{list});

  // The card label: one line a character, the third target (Kevin) against Bigotes' attack.
  ASSERT_EQ(steps[13].labels.size(), 1u);
  const std::string& card_label = steps[13].labels[0];
  EXPECT_TRUE(starts_with(card_label, "Carttas seleccionadas \r\n"));
  EXPECT_EQ(count_of(card_label, "\r\n"), 11);
  EXPECT_EQ(count_of(card_label, ") usa la carta "), 10);
  EXPECT_NE(card_label.find(kNames[0] +
                            "(En La cocina 4) usa la carta Ataque débil, Guillotina: Un e contra " +
                            kNames[3] + "\r\n"),
            std::string::npos);
  EXPECT_NE(card_label.find(kNames[1] + "(En El salón "), std::string::npos);
  EXPECT_EQ(steps[13].spoken,
            std::vector<std::string>{"cartas seleccionadas. Pulse espacio para continuar"});

  EXPECT_EQ(steps[14].beeps, 1);
  EXPECT_TRUE(steps[14].labels.empty());
  EXPECT_TRUE(steps[14].spoken.empty());
}

}  // namespace
}  // namespace fortuna::testing
