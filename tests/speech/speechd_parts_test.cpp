// The speech-dispatcher engine's own arithmetic and parsing, without the service.
#include <gtest/gtest.h>

#include "speech/speechd_engine.h"

namespace fortuna {
namespace {

TEST(SpeechdRate, ZeroKeepsThePlayersRateAndFiftyReachesEitherEnd) {
  const struct {
    int logical, player, service;
  } cases[] = {{0, 0, 0},    {0, 30, 30},       {50, 30, 100},  {-50, 30, -100},
               {25, 0, 50},  {-25, 0, -50},     {25, 60, 80},   {-25, 60, -20},
               {54, 0, 100}, {-54, -100, -100}, {1000, 0, 100}, {-1000, 100, -100}};
  for (const auto& c : cases)
    EXPECT_EQ(speechd_rate(c.logical, c.player), c.service) << c.logical << " " << c.player;
  for (int player : {-100, -40, 0, 70, 100})
    for (int logical = -54; logical < 54; ++logical)
      EXPECT_LE(speechd_rate(logical, player), speechd_rate(logical + 1, player));
}

TEST(SpeechdVoices, TheReplyIsReadInOrderAndOnlyTheSpanishVoicesAreKept) {
  const std::string reply =
      "249-Afrikaans\taf\tnone\r\n"
      "249-Spanish (Spain)\tes\tnone\r\n"
      "249-Spanish (Spain)+Adam\tes\tAdam\r\n"
      "249-broken line without fields\r\n"
      "249-Spanish (Latin America)\tes-419\tnone\r\n"
      "249-Estonian\tet\tnone\r\n"
      "249 OK VOICE LIST SENT\r\n";
  const auto all = parse_voice_list(reply);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[1].name, "Spanish (Spain)");
  EXPECT_EQ(all[3].language, "es-419");
  const auto spanish = spanish_voices(all);
  std::vector<std::string> names;
  for (const auto& voice : spanish) names.push_back(voice.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Spanish (Spain)", "Spanish (Spain)+Adam",
                                             "Spanish (Latin America)"}));
  // A service without Spanish keeps all its voices; an empty or failed reply gives none.
  EXPECT_EQ(spanish_voices({{"Afrikaans", "af"}}).size(), 1u);
  EXPECT_TRUE(parse_voice_list("").empty());
  EXPECT_TRUE(parse_voice_list("300 ERR\r\n").empty());
}

}  // namespace
}  // namespace fortuna
