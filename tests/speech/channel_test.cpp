#include "speech/channel.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(engine.spoken.back(), "el salón épico <ñandú>");
  channel.say("Sí");  // two characters, three bytes
  EXPECT_EQ(channel.last_text(), "El salón ÉPICO <Ñandú>");
  channel.say("Sí.");
  EXPECT_EQ(channel.last_text(), "Sí.");
  channel.repeat();
  EXPECT_EQ(engine.spoken.back(), "sí.");
}

TEST_F(Channel, SilenceCutsTheVoiceAndKeepsTheRepeatText) {
  channel.say("Un texto largo que se oye");
  engine.advance(3);
  channel.silence();
  EXPECT_EQ(engine.sounding(), "");
  EXPECT_TRUE(engine.heard_whole.empty());
  EXPECT_EQ(channel.last_text(), "Un texto largo que se oye");
}

TEST_F(Channel, AWaitBeforeLetsThePreviousTextEndAndAWaitAfterItsOwn) {
  channel.say("La noticia de la mañana");
  channel.say("Los aspirantes", Wait::Before);
  EXPECT_EQ(engine.heard_whole, std::vector<std::string>{"la noticia de la mañana"});
  EXPECT_EQ(engine.sounding(), "los aspirantes");
  channel.say("La muerte", Wait::BeforeAndAfter);
  EXPECT_EQ(engine.heard_whole.back(), "la muerte");
  EXPECT_EQ(engine.sounding(), "");
}

TEST(ChannelVoices, AnEmptyDescriptionIsOverwrittenByTheNextAndOutOfListIndexesChangeNothing) {
  RecordingEngine engine({"A", "", "C"});
  SpeechChannel channel(engine);
  channel.load_voices();
  EXPECT_EQ(channel.voices(), (std::vector<std::string>{"A", "C"}));
  channel.select_voice(1);
  for (int index : {3, 5, -1}) channel.select_voice(index);
  EXPECT_EQ(engine.current_voice(), 1);
}

TEST(ChannelVoices, NoVoiceLeavesOneEmptyEntryAndTheGameGoesOnSilently) {
  RecordingEngine engine(std::vector<std::string>{});
  SpeechChannel channel(engine);
  channel.load_voices();
  EXPECT_EQ(channel.voices(), std::vector<std::string>{""});
  channel.say("Nadie me oye", Wait::BeforeAndAfter);
  channel.select_voice(0);
  EXPECT_EQ(channel.last_text(), "Nadie me oye");
  EXPECT_TRUE(engine.spoken.empty());
}

}  // namespace
}  // namespace fortuna::testing
