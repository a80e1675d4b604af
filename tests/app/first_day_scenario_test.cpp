#include <gtest/gtest.h>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

TEST(FirstDayScenario, RenamedPeopleAreListedAndShownOnTheFirstDay) {
  RunResult r = run_fortuna(
      "Right\nSpace\nF2\ntext: Reginaldo\nRight\nRight\nSpace\nF2\ntext: Kevin Ñandú\nEnter\n",
      {"--clock", "10:20:30"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::string prefix = "Los actuales aspirantes a la fortuna de vadod Brunilda son: ";
  std::string aspirants;
  for (const std::string& text : r.spoken())
    if (text.starts_with(prefix) && aspirants.empty()) aspirants = text;
  EXPECT_EQ(aspirants,
            prefix +
                "Bigotes, el gato andalú; Reginaldo; Vanessa, la hija pija; Kevin Ñandú; "
                "Zivi Edna Pickford la cotilla, su mejor amiga; Anselmo, el chófer; "
                "Gaspar, el mayordomo; Miss Olga Curlwood, su peluquera de toda la vida; "
                "Miss Ursula Moonbeam, su vidente personal; Mister Felix Vaultman, su "
                "banquero de confianza. Pulse espacio para continuar.");

  const auto labels = r.labels();
  ASSERT_EQ(labels.size(), 1u);
  const std::string& label = labels[0];
  EXPECT_TRUE(label.starts_with("Bigotes, el gato andalú: ("));
  EXPECT_NE(label.find("\r\nReginaldo: ("), std::string::npos);
  EXPECT_NE(label.find("\r\nKevin Ñandú: ("), std::string::npos);
  EXPECT_EQ(label.find("(muerto)"), std::string::npos);
  int card_lines = 0;
  for (auto at = label.find("\r\n- "); at != std::string::npos; at = label.find("\r\n- ", at + 1))
    ++card_lines;
  EXPECT_EQ(card_lines, 20);
}

}  // namespace
}  // namespace fortuna::testing
