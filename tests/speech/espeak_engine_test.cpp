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

std::string long_text() {
  std::string text;
  for (int i = 0; i < 20; ++i) text += kSentence + ". ";
  return text;
}

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// espeak-ng with the samples thrown away: what was synthesised is counted.
class EspeakSilent : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    engine = EspeakEngine::open_silent(error);
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

// espeak-ng playing through SDL's dummy driver, which plays in real time.
class EspeakAudio : public EspeakSilent {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    engine = EspeakEngine::open(error);
    if (!engine) GTEST_SKIP() << "no audio here: " << error;
  }
  // Until the voice is audibly speaking (bounded).
  bool sounding() {
    const auto start = Clock::now();
    while (engine->queued_bytes() == 0) {
      if (seconds_since(start) > 5) return false;
      std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
  }
};

TEST(EspeakRate, NormalRateIsOneHundredSeventyFiveWordsAndTenStepsTriple) {
  EXPECT_EQ(espeak_words_per_minute(0), 175);
  EXPECT_EQ(espeak_words_per_minute(10), 525);
  EXPECT_NEAR(espeak_words_per_minute(-5), 101, 1);
}

TEST(EspeakRate, RatesBeyondTheEnginesRangeTakeTheNearestEnd) {
  EXPECT_EQ(espeak_words_per_minute(-54), 80);
  EXPECT_EQ(espeak_words_per_minute(-10), 80);
  EXPECT_EQ(espeak_words_per_minute(54), 900);
  EXPECT_EQ(espeak_words_per_minute(INT_MAX), 900);
  EXPECT_EQ(espeak_words_per_minute(INT_MIN), 80);
}

TEST(EspeakRate, FasterRatesNeverSpeakSlower) {
  for (int rate = -54; rate < 54; ++rate) {
    EXPECT_LE(espeak_words_per_minute(rate), espeak_words_per_minute(rate + 1)) << rate;
  }
}

TEST(EspeakOpen, WithoutAnAudioDeviceOpeningGivesOneLineAndLeavesTheLibraryFree) {
  std::string error;
  if (!EspeakEngine::open_silent(error)) GTEST_SKIP() << "espeak-ng cannot start here: " << error;
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  auto engine = EspeakEngine::open(error);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_EQ(engine, nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  error.clear();
  EXPECT_NE(EspeakEngine::open_silent(error), nullptr) << error;
}

TEST(EspeakOpen, OnlyOneEngineAtATimeAndTheLibraryIsFreeAgainAfterIt) {
  std::string error;
  auto first = EspeakEngine::open_silent(error);
  if (!first) GTEST_SKIP() << "espeak-ng cannot start here: " << error;
  EXPECT_EQ(EspeakEngine::open_silent(error), nullptr);
  EXPECT_FALSE(error.empty());
  first->speak(kSentence);
  first.reset();
  error.clear();
  auto second = EspeakEngine::open_silent(error);
  ASSERT_NE(second, nullptr) << error;
  const long before = second->samples_synthesised();
  second->speak("hola");
  second->wait_until_done();
  EXPECT_GT(second->samples_synthesised(), before);
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
  EXPECT_EQ(engine->list_voices(), voices) << "the order must be stable";
  const std::string default_voice = engine->voice_identifier();
  engine->select_voice(0);
  EXPECT_EQ(engine->voice_identifier(), default_voice);
}

TEST_F(EspeakSilent, VoiceIndexesOutsideTheListLeaveTheVoiceAlone) {
  const int count = static_cast<int>(engine->list_voices().size());
  engine->select_voice(1);
  const std::string second = engine->voice_identifier();
  for (int index : {-1, count, count + 100, INT_MAX, INT_MIN}) {
    engine->select_voice(index);
    EXPECT_EQ(engine->voice_identifier(), second) << index;
  }
  EXPECT_GT(samples_of(kSentence), 0);
}

TEST_F(EspeakSilent, CreatingTheVoiceAgainRestoresTheDefaultVoiceAndRate) {
  const std::string default_voice = engine->voice_identifier();
  engine->select_voice(3);
  engine->set_rate(30);
  engine->create_voice();
  EXPECT_EQ(engine->voice_identifier(), default_voice);
  EXPECT_EQ(engine->rate(), 0);
}

TEST_F(EspeakSilent, SynthesisesASpanishSentence) {
  const long samples = samples_of(kSentence);
  EXPECT_GT(samples, kSampleRate * 1.5) << "about four seconds of speech expected";
  EXPECT_LT(samples, kSampleRate * 20);
}

TEST_F(EspeakSilent, MarkupCharactersAreReadLiterally) {
  const long without = samples_of("uno tres");
  const long plain = samples_of("uno dos tres");
  const long marked = samples_of("uno <dos> tres");
  ASSERT_GT(plain, without);
  EXPECT_GT(marked - without, (plain - without) * 6 / 10) << "the word in angle brackets is lost";
}

TEST_F(EspeakSilent, TheRateChangesHowLongTheSpeechLastsAndSurvivesAVoiceChange) {
  const long normal = samples_of(kSentence);
  engine->set_rate(10);
  EXPECT_EQ(engine->rate(), 10);
  EXPECT_LT(samples_of(kSentence), normal * 6 / 10);
  engine->select_voice(1);
  EXPECT_LT(samples_of(kSentence), normal * 6 / 10) << "the voice change lost the rate";
  engine->set_rate(-54);
  EXPECT_EQ(engine->rate(), -54);
  EXPECT_GT(samples_of(kSentence), normal * 3 / 2);
  engine->set_rate(54);
  EXPECT_GT(samples_of(kSentence), 0);
}

TEST_F(EspeakSilent, AFloodOfTextsStillEndsWithTheLastOneSpokenWhole) {
  engine->set_rate(10);
  const long alone = samples_of("adiós a todos");
  engine->set_rate(0);
  for (int i = 0; i < 2000; ++i) {
    if (i == 1000) engine->set_rate(10);
    engine->speak(kSentence + std::to_string(i));
  }
  const long last = samples_of("adiós a todos");
  EXPECT_NEAR(last, alone, alone / 10);
}

TEST_F(EspeakSilent, TheEmptyTextSpeaksNothing) {
  EXPECT_EQ(samples_of(""), 0);
}

TEST_F(EspeakAudio, TheEmptyTextCutsALongTextAtOnce) {
  engine->speak(long_text());
  ASSERT_TRUE(sounding());
  engine->speak("");
  EXPECT_EQ(engine->queued_bytes(), 0u);
  const long samples = engine->samples_synthesised();
  std::this_thread::sleep_for(milliseconds(200));
  EXPECT_EQ(engine->queued_bytes(), 0u) << "samples of the purged text arrived late";
  EXPECT_EQ(engine->samples_synthesised(), samples);
}

TEST_F(EspeakAudio, ANewTextReplacesTheOneBeingSpoken) {
  engine->speak(long_text());
  ASSERT_TRUE(sounding());
  const auto start = Clock::now();
  engine->speak("hola");
  engine->wait_until_done();
  EXPECT_LT(seconds_since(start), 3.0) << "the long text was not cut off";
}

TEST_F(EspeakAudio, WaitingLastsAsLongAsTheAudio) {
  const long before = engine->samples_synthesised();
  const auto start = Clock::now();
  engine->speak(kSentence);
  engine->wait_until_done();
  const double waited = seconds_since(start);
  const double audio = (engine->samples_synthesised() - before) / kSampleRate;
  ASSERT_GT(audio, 1.0);
  EXPECT_GT(waited, audio * 0.9);
  EXPECT_LT(waited, audio + 2.0);
  EXPECT_EQ(engine->queued_bytes(), 0u);
}

TEST_F(EspeakAudio, WaitingWithNothingSaidReturnsAtOnce) {
  const auto start = Clock::now();
  engine->wait_until_done();
  engine->speak("");
  engine->wait_until_done();
  EXPECT_LT(seconds_since(start), 1.0);
}

}  // namespace
}  // namespace fortuna
