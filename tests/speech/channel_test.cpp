#include "speech/channel.h"

#include <gtest/gtest.h>

#include "speech/recording_engine.h"

namespace fortuna {

using Kind = RecordingEngine::Operation::Kind;

class Channel : public ::testing::Test {
 protected:
  Channel() : channel(engine) { channel.CargaVoces(); }
  RecordingEngine engine;
  SpeechChannel channel;
};

TEST_F(Channel, SpeaksLowerCaseLiterallyAndRemembersOnlyTextsLongerThanTwoCharacters) {
  channel.Habla("El salón ÉPICO <Ñandú>", kFalse, kFalse);
  EXPECT_EQ(engine.spoken().back(), "el salón épico <ñandú>");
  channel.Habla("Sí", kFalse, kFalse);  // two characters, three bytes
  EXPECT_EQ(channel.UltimoMensaje, "El salón ÉPICO <Ñandú>");
  channel.Habla("Sí.", kFalse, kFalse);
  EXPECT_EQ(channel.UltimoMensaje, "Sí.");
}

TEST_F(Channel, SilenceCutsTheVoiceAndKeepsTheRepeatText) {
  channel.Habla("Un texto largo que se oye", kFalse, kFalse);
  engine.advance(3);
  channel.Habla("", kFalse, kFalse);
  EXPECT_EQ(engine.sounding(), "");
  EXPECT_TRUE(engine.heard_whole().empty());
  EXPECT_EQ(channel.UltimoMensaje, "Un texto largo que se oye");
}

TEST_F(Channel, WaitBeforeLetsThePreviousTextEndFirst) {
  channel.Habla("La noticia de la mañana", kFalse, kFalse);
  engine.clear();
  channel.Habla("Los aspirantes", kTrue, kFalse);
  ASSERT_EQ(engine.operations().size(), 2u);
  EXPECT_EQ(engine.operations()[0].kind, Kind::Wait);
  EXPECT_EQ(engine.heard_whole(), std::vector<std::string>{"la noticia de la mañana"});
  EXPECT_EQ(engine.sounding(), "los aspirantes");
}

TEST_F(Channel, WaitAfterReturnsOnlyWhenItsOwnTextHasEnded) {
  channel.Habla("Algo", kFalse, kFalse);
  channel.Habla("La muerte", kTrue, kTrue);
  EXPECT_EQ(engine.heard_whole(), (std::vector<std::string>{"algo", "la muerte"}));
  EXPECT_EQ(engine.sounding(), "");
}

TEST(ChannelVoices, AnEmptyDescriptionIsOverwrittenByTheNextAndOutOfListIndexesChangeNothing) {
  RecordingEngine engine({"A", "", "C"});
  SpeechChannel channel(engine);
  channel.CargaVoces();
  EXPECT_EQ(channel.Voces, (std::vector<std::string>{"A", "C"}));
  channel.select_voice(1);
  for (int index : {3, 5, -1}) channel.select_voice(index);
  EXPECT_EQ(engine.current_voice(), 1);
}

TEST(ChannelVoices, NoVoiceLeavesOneEmptyEntryAndNeverFails) {
  RecordingEngine engine(std::vector<std::string>{});
  SpeechChannel channel(engine);
  channel.CargaVoces();
  EXPECT_EQ(channel.Voces, std::vector<std::string>{""});
  EXPECT_FALSE(channel.has_voice());
  engine.clear();
  channel.Habla("Nadie me oye", kTrue, kTrue);
  channel.select_voice(0);
  EXPECT_EQ(channel.UltimoMensaje, "Nadie me oye");
  EXPECT_TRUE(engine.spoken().empty());
}

}  // namespace fortuna
