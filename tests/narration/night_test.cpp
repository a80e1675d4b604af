// The executor's closing sentences depend on his own words: the texts are pinned by the golden
// transcripts, the choice between them is checked here.
#include "narration/night.h"

#include <gtest/gtest.h>

#include "support/hand_built_game.h"

namespace fortuna::testing {
namespace {

TEST(MorningNews, ARoomClosingAfterAnotherOrAfterAWorryingNameIsToldShort) {
  const struct {
    std::vector<Room> closed;
    const char* victim_name;  // the night's one victim, or nothing
    const char* told;
    const char* untold;
  } cases[] = {
      {{Room::Library}, nullptr, "La biblioteca al uso por problemas", "Asimismo"},
      {{Room::Bedroom, Room::Library}, nullptr, "Asimismo", "La biblioteca al uso"},
      {{Room::Library}, "Lola, que disturbe a todos", "Asimismo", "La biblioteca al uso"},
      {{Room::Library}, "Hugo el disturbado", "La biblioteca al uso", "Asimismo"},
      {{Room::Kitchen}, "Hugo el disturbado", "Lamentablemente", "quejas"},
      {{Room::Kitchen}, "Hugo", "quejas", "Lamentablemente"},
      {{Room::Library, Room::Kitchen}, nullptr, "Lamentablemente", "Asimismo"},
  };
  for (const auto& c : cases) {
    HandBuiltGame g;
    NightReport night;
    for (Room room : c.closed) night.closed_rooms.push_back(room);
    if (c.victim_name) {
      g.who(4).name = c.victim_name;
      night.deaths.push_back({4, Room::Kitchen, {}});
    }
    const std::string news = morning_news(g.game, night, CardNames::Long);
    EXPECT_NE(news.find(c.told), std::string::npos) << news;
    EXPECT_EQ(news.find(c.untold), std::string::npos) << news;
  }
}

}  // namespace
}  // namespace fortuna::testing
