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

TEST_F(Channel, RemembersOnlyTextsLongerThanTwoCharacters) {
  channel.Habla("Hola", kFalse, kFalse);
  channel.Habla("Sí", kFalse, kFalse);  // two characters, three bytes
  EXPECT_EQ(channel.UltimoMensaje, "Hola");
  channel.Habla("Sí.", kFalse, kFalse);
  EXPECT_EQ(channel.UltimoMensaje, "Sí.");
  EXPECT_EQ(engine.spoken().back(), "sí.");
}

TEST_F(Channel, SpeaksLowerCaseAndRemembersTheTextAsGiven) {
  channel.Habla("El salón ÉPICO Ñandú", kFalse, kFalse);
  EXPECT_EQ(engine.spoken().back(), "el salón épico ñandú");
  EXPECT_EQ(channel.UltimoMensaje, "El salón ÉPICO Ñandú");
}

TEST_F(Channel, SilenceCutsTheVoiceAndKeepsTheRepeatText) {
  channel.Habla("Un texto largo que se oye", kFalse, kFalse);
  channel.Habla("", kFalse, kFalse);
  EXPECT_EQ(engine.spoken().back(), "");
  EXPECT_EQ(engine.sounding(), "");
  channel.Habla(channel.UltimoMensaje, kFalse, kFalse);  // the repeat key
  EXPECT_EQ(channel.UltimoMensaje, "Un texto largo que se oye");
  EXPECT_EQ(engine.spoken().back(), "un texto largo que se oye");
}

TEST_F(Channel, TextsWithoutWaitsCutEachOther) {
  channel.Habla("Primero un texto", kFalse, kFalse);
  engine.advance(3);
  channel.Habla("Segundo", kFalse, kFalse);
  EXPECT_EQ(engine.sounding(), "segundo");
  EXPECT_TRUE(engine.heard_whole().empty());
}

TEST_F(Channel, WaitBeforeLetsThePreviousTextEndFirst) {
  channel.Habla("La noticia de la mañana", kFalse, kFalse);
  engine.clear();
  channel.Habla("Los aspirantes", kTrue, kFalse);
  ASSERT_EQ(engine.operations().size(), 2u);
  EXPECT_EQ(engine.operations()[0].kind, Kind::Wait);
  EXPECT_EQ(engine.operations()[1].kind, Kind::Speak);
  EXPECT_EQ(engine.heard_whole(), std::vector<std::string>{"la noticia de la mañana"});
  EXPECT_EQ(engine.sounding(), "los aspirantes");
}

TEST_F(Channel, WaitAfterReturnsOnlyWhenItsOwnTextHasEnded) {
  channel.Habla("Algo", kFalse, kFalse);
  channel.Habla("La muerte", kTrue, kTrue);
  EXPECT_EQ(engine.heard_whole(), (std::vector<std::string>{"algo", "la muerte"}));
  EXPECT_EQ(engine.sounding(), "");
}

TEST_F(Channel, MarkupIsGivenToTheEngineLiterally) {
  channel.Habla("uno <dos> tres", kFalse, kFalse);
  EXPECT_EQ(engine.spoken().back(), "uno <dos> tres");
}

TEST(ChannelVoices, ListsEveryDescriptionInTheEnginesOrder) {
  RecordingEngine engine({"A", "B", "C"});
  SpeechChannel channel(engine);
  channel.CargaVoces();
  EXPECT_EQ(channel.Voces, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_TRUE(channel.has_voice());
}

TEST(ChannelVoices, AnEmptyDescriptionIsOverwrittenByTheNext) {
  RecordingEngine engine({"A", "", "C"});
  SpeechChannel channel(engine);
  channel.CargaVoces();
  EXPECT_EQ(channel.Voces, (std::vector<std::string>{"A", "C"}));
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

TEST(ChannelVoices, SelectingAVoiceOutOfTheListChangesNothing) {
  RecordingEngine engine({"A", "B"});
  SpeechChannel channel(engine);
  channel.CargaVoces();
  channel.select_voice(1);
  channel.select_voice(5);
  channel.select_voice(-1);
  EXPECT_EQ(engine.current_voice(), 1);
}

TEST(ChannelVoices, CreaVozBringsBackTheDefaultRate) {
  RecordingEngine engine;
  SpeechChannel channel(engine);
  channel.CargaVoces();
  channel.set_rate(-54);
  EXPECT_EQ(channel.rate(), -54);
  channel.CreaVoz();
  EXPECT_EQ(channel.rate(), 0);
}

}  // namespace fortuna
