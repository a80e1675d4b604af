#include "speech/espeak_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <string>
#include <thread>

namespace fortuna {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr double kSampleRate = 22050.0;
const std::string kSentence =
    "la cocina huele a pan recién hecho y nadie sabe dónde están las llaves";

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// espeak-ng with the samples thrown away: what was synthesised is counted.
class EspeakSilent : public ::testing::Test {
 protected:
  void SetUp() override { start(false); }
  void start(bool audio) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);  // plays in real time
    std::string error;
    engine = audio ? EspeakEngine::open(error) : EspeakEngine::open_silent(error);
    if (!engine) GTEST_SKIP() << "espeak-ng cannot start here: " << error;
  }
  long samples_of(const std::string& text) {
    const long before = engine->samples_synthesised();
    engine->speak(text);
    engine->wait_until_done();
    return engine->samples_synthesised() - before;
  }
  std::unique_ptr<EspeakEngine> engine;
};

// espeak-ng playing through SDL's dummy driver.
class EspeakAudio : public EspeakSilent {
 protected:
  void SetUp() override { start(true); }
  // A long text, once it is audibly speaking (bounded).
  bool speak_long_text() {
    std::string text;
    for (int i = 0; i < 20; ++i) text += kSentence + ". ";
    engine->speak(text);
    const auto start = Clock::now();
    while (engine->queued_bytes() == 0) {
      if (seconds_since(start) > 5) return false;
      std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
  }
};

TEST(EspeakRate, TenStepsTripleTheWordsPerMinuteWithinTheEnginesRange) {
  EXPECT_EQ(espeak_words_per_minute(0), 175);
  EXPECT_EQ(espeak_words_per_minute(10), 525);
  EXPECT_NEAR(espeak_words_per_minute(-5), 101, 1);
  for (int rate : {-54, -10, INT_MIN}) EXPECT_EQ(espeak_words_per_minute(rate), 80) << rate;
  for (int rate : {54, INT_MAX}) EXPECT_EQ(espeak_words_per_minute(rate), 900) << rate;
  for (int rate = -54; rate < 54; ++rate)
    EXPECT_LE(espeak_words_per_minute(rate), espeak_words_per_minute(rate + 1)) << rate;
}

TEST_F(EspeakSilent, SpanishVoicesComeFirstAndTheDefaultVoiceIsTheFirstOfThem) {
  const auto voices = engine->list_voices();
  ASSERT_GE(voices.size(), 2u);
  EXPECT_NE(voices.front().find("Spanish"), std::string::npos) << voices.front();
  bool others_started = false;
  for (const auto& name : voices) {
    const bool spanish = name.find("Spanish") != std::string::npos;
    EXPECT_FALSE(spanish && others_started) << name << " comes after other languages";
    others_started = others_started || !spanish;
  }
  const std::string default_voice = engine->voice_identifier();
  engine->select_voice(0);
  EXPECT_EQ(engine->voice_identifier(), default_voice);
}

TEST_F(EspeakSilent, SynthesisesASpanishSentenceAndReadsMarkupLiterally) {
  const long samples = samples_of(kSentence);
  EXPECT_GT(samples, kSampleRate * 1.5) << "about four seconds of speech expected";
  EXPECT_LT(samples, kSampleRate * 20);
  EXPECT_EQ(samples_of(""), 0);
  const long without = samples_of("uno tres");
  const long plain = samples_of("uno dos tres");
  ASSERT_GT(plain, without);
  EXPECT_GT(samples_of("uno <dos> tres") - without, (plain - without) * 6 / 10)
      << "the word in angle brackets is lost";
}

TEST_F(EspeakSilent, TheRateSurvivesAVoiceChangeAndANewVoiceRestoresTheDefaults) {
  const std::string default_voice = engine->voice_identifier();
  const long normal = samples_of(kSentence);
  engine->set_rate(10);
  EXPECT_LT(samples_of(kSentence), normal * 6 / 10);
  engine->select_voice(1);
  EXPECT_LT(samples_of(kSentence), normal * 6 / 10) << "the voice change lost the rate";
  engine->set_rate(-54);
  EXPECT_EQ(engine->rate(), -54);
  EXPECT_GT(samples_of(kSentence), normal * 3 / 2);
  engine->create_voice();
  EXPECT_EQ(engine->voice_identifier(), default_voice);
  EXPECT_EQ(engine->rate(), 0);
}

TEST_F(EspeakSilent, AFloodOfTextsStillEndsWithTheLastOneSpokenWhole) {
  engine->set_rate(10);
  const long alone = samples_of("adiós a todos");
  engine->set_rate(0);
  for (int i = 0; i < 2000; ++i) {
    if (i == 1000) engine->set_rate(10);
    engine->speak(kSentence + std::to_string(i));
  }
  EXPECT_NEAR(samples_of("adiós a todos"), alone, alone / 10);
}

TEST_F(EspeakAudio, TheEmptyTextCutsALongTextAtOnceAndANewTextReplacesIt) {
  ASSERT_TRUE(speak_long_text());
  engine->speak("");
  EXPECT_EQ(engine->queued_bytes(), 0u);
  const long samples = engine->samples_synthesised();
  std::this_thread::sleep_for(milliseconds(200));
  EXPECT_EQ(engine->queued_bytes(), 0u) << "samples of the purged text arrived late";
  EXPECT_EQ(engine->samples_synthesised(), samples);

  ASSERT_TRUE(speak_long_text());
  const auto start = Clock::now();
  engine->speak("hola");
  engine->wait_until_done();
  EXPECT_LT(seconds_since(start), 3.0) << "the long text was not cut off";
}

TEST_F(EspeakAudio, WaitingLastsAsLongAsTheAudioAndNoLongerWhenSilent) {
  auto start = Clock::now();
  engine->wait_until_done();
  EXPECT_LT(seconds_since(start), 1.0);
  const long before = engine->samples_synthesised();
  start = Clock::now();
  engine->speak(kSentence);
  engine->wait_until_done();
  const double waited = seconds_since(start);
  const double audio = (engine->samples_synthesised() - before) / kSampleRate;
  ASSERT_GT(audio, 1.0);
  EXPECT_GT(waited, audio * 0.9);
  EXPECT_LT(waited, audio + 2.0);
  EXPECT_EQ(engine->queued_bytes(), 0u);
}

}  // namespace
}  // namespace fortuna
