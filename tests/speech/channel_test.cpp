// The speech channel over any engine: what it says, waits for and remembers.
#include "speech/channel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_engine.h"

namespace fortuna::testing {
namespace {

struct Channel : ::testing::Test {
  Channel() : channel(engine) { channel.load_voices(); }
  RecordingEngine engine;
  SpeechChannel channel;
};

TEST_F(Channel, SpeaksLowerCaseLiterallyAndRemembersOnlyTextsLongerThanTwoCharacters) {
  channel.say("El salón ÉPICO <Ñandú>");
  EXPECT_EQ(engine.calls.back(), "el salón épico <ñandú>");
  channel.say("Sí");  // two characters, three bytes
  EXPECT_EQ(channel.last_text(), "El salón ÉPICO <Ñandú>");
  channel.say("Sí.");
  EXPECT_EQ(channel.last_text(), "Sí.");
  channel.repeat();
  EXPECT_EQ(engine.calls.back(), "sí.");
}

TEST_F(Channel, AWaitBeforeLetsThePreviousTextEndAWaitAfterItsOwnAndSilenceCutsIt) {
  channel.say("La noticia de la mañana");
  channel.say("Los aspirantes", Wait::Before);
  channel.say("La muerte", Wait::BeforeAndAfter);
  channel.say("Un texto largo que se oye");
  channel.silence();
  EXPECT_EQ(engine.calls, (std::vector<std::string>{"la noticia de la mañana", "(wait)",
                                                    "los aspirantes", "(wait)", "la muerte",
                                                    "(wait)", "un texto largo que se oye", ""}));
  EXPECT_EQ(channel.last_text(), "Un texto largo que se oye") << "kept for the repeat key";
}

TEST(ChannelVoices, EmptyDescriptionsAreLeftOutAndNoVoiceAtAllLeavesTheGameSilent) {
  RecordingEngine engine({"A", "", "C"});
  SpeechChannel channel(engine);
  channel.load_voices();
  EXPECT_EQ(channel.voices(), (std::vector<std::string>{"A", "C"}));
  channel.select_voice(1);
  for (int index : {3, 5, -1}) channel.select_voice(index);  // out of the list: nothing
  EXPECT_EQ(engine.current_voice(), 1);

  RecordingEngine none(std::vector<std::string>{});
  SpeechChannel silent(none);
  silent.load_voices();
  EXPECT_EQ(silent.voices(), std::vector<std::string>{""});
  silent.say("Nadie me oye", Wait::BeforeAndAfter);
  silent.select_voice(0);
  EXPECT_EQ(silent.last_text(), "Nadie me oye");
  EXPECT_TRUE(none.calls.empty());
}

}  // namespace
}  // namespace fortuna::testing
