#include "speech/espeak_engine.h"

#include <SDL.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>

#include "data/translate.h"
#include "speech/quiet_stderr.h"
#include "speech/sdl_audio.h"

namespace fortuna {

namespace {

constexpr int kMinWordsPerMinute = 80;   // espeak-ng says nothing slower
constexpr int kMaxWordsPerMinute = 900;  // faster is no longer words
constexpr int kNormalWordsPerMinute = 175;
// Audio per synth callback: small chunks let a purged text stop at the next chunk.
constexpr int kChunkMilliseconds = 20;
// A queue that has not moved for this long belongs to a stuck device.
constexpr auto kStuckQueue = std::chrono::milliseconds(1500);

// espeak-ng is one per process: started once, its callback shared by whichever engine is open.
std::mutex g_sink_mutex;
EspeakEngine* g_owner = nullptr;
std::uintptr_t g_last_generation = 0;

int espeak_sample_rate(std::string& error) {
  static const int rate = espeak_Initialize(AUDIO_OUTPUT_RETRIEVAL, kChunkMilliseconds, nullptr,
                                            espeakINITIALIZE_DONT_EXIT);
  if (rate <= 0) error = translate("the espeak-ng library would not start");
  return rate;
}

std::string one_line(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// The languages field is a list of (priority byte, name) pairs ending with a zero priority.
bool speaks_spanish(const espeak_VOICE& voice) {
  for (const char* p = voice.languages; p && *p; p += std::strlen(p + 1) + 2) {
    const char* language = p + 1;
    if (std::strncmp(language, "es", 2) == 0 && (language[2] == '\0' || language[2] == '-'))
      return true;
  }
  return false;
}

}  // namespace

// The synth callback runs on espeak-ng's thread.
struct SynthSink {
  static int deliver(short* wav, int count, espeak_EVENT* events) {
    std::uintptr_t generation = 0;
    for (const espeak_EVENT* e = events; e; ++e) {
      if (e->type == espeakEVENT_LIST_TERMINATED) {
        generation = reinterpret_cast<std::uintptr_t>(e->user_data);
        break;
      }
    }
    std::lock_guard lock(g_sink_mutex);
    EspeakEngine* engine = g_owner;
    if (!engine || generation != engine->generation_) return 1;  // purged: stop synthesising
    if (!wav || count <= 0) return 0;
    if (engine->device_ != 0) {
      SDL_QueueAudio(engine->device_, wav, static_cast<Uint32>(count) * sizeof(short));
    }
    engine->samples_.fetch_add(count, std::memory_order_release);
    return 0;
  }
};

namespace {
int synth_callback(short* wav, int count, espeak_EVENT* events) {
  return SynthSink::deliver(wav, count, events);
}
}  // namespace

int espeak_words_per_minute(int rate) {
  const double wpm = kNormalWordsPerMinute * std::pow(3.0, rate / 10.0);
  if (!(wpm >= kMinWordsPerMinute)) return kMinWordsPerMinute;
  if (wpm >= kMaxWordsPerMinute) return kMaxWordsPerMinute;
  return static_cast<int>(std::lround(wpm));
}

std::unique_ptr<EspeakEngine> EspeakEngine::open(std::string& error) {
  return open_with(true, error);
}

std::unique_ptr<EspeakEngine> EspeakEngine::open_silent(std::string& error) {
  return open_with(false, error);
}

std::unique_ptr<EspeakEngine> EspeakEngine::open_with(bool audio, std::string& error) {
  const int sample_rate = espeak_sample_rate(error);
  if (sample_rate <= 0) return nullptr;
  {
    std::lock_guard lock(g_sink_mutex);
    if (g_owner) {
      error = translate("espeak-ng is already in use by another voice");
      return nullptr;
    }
  }
  std::unique_ptr<EspeakEngine> engine(new EspeakEngine());
  if (audio) {
    QuietStderr quiet;
    if (start_sdl_audio() != 0) {
      error = one_line(format_message(translate("no audio output (%s)"), SDL_GetError()));
      return nullptr;
    }
    SDL_AudioSpec want{};
    SDL_AudioSpec have{};
    want.freq = sample_rate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 512;
    engine->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (engine->device_ == 0) {
      error = one_line(format_message(translate("no audio device (%s)"), SDL_GetError()));
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return nullptr;
    }
    engine->device_buffer_ms_ = have.freq > 0 ? 1000 * have.samples / have.freq + 1 : 0;
    SDL_PauseAudioDevice(engine->device_, 0);
  }

  std::vector<Voice> spanish, others;
  if (const espeak_VOICE** list = espeak_ListVoices(nullptr)) {
    for (; *list; ++list) {
      const espeak_VOICE& voice = **list;
      if (!voice.name || !voice.identifier) continue;
      (speaks_spanish(voice) ? spanish : others).push_back({voice.name, voice.identifier});
    }
  }
  engine->voices_ = std::move(spanish);
  engine->voices_.insert(engine->voices_.end(), others.begin(), others.end());

  espeak_SetSynthCallback(synth_callback);
  {
    std::lock_guard lock(g_sink_mutex);
    engine->generation_ = ++g_last_generation;
    g_owner = engine.get();
  }
  engine->create_voice();
  return engine;
}

EspeakEngine::~EspeakEngine() {
  {
    std::lock_guard lock(g_sink_mutex);
    if (g_owner == this) g_owner = nullptr;
    generation_ = ++g_last_generation;
  }
  espeak_Synchronize();  // nothing of ours is left in espeak-ng's hands
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

void EspeakEngine::create_voice() {
  rate_ = 0;
  // Spanish voices come first; without one, espeak-ng's own default stays.
  use_voice(voices_.empty() ? std::string() : voices_.front().identifier);
}

void EspeakEngine::purge() {
  std::lock_guard lock(g_sink_mutex);
  generation_ = ++g_last_generation;
  if (device_ != 0) SDL_ClearQueuedAudio(device_);
}

void EspeakEngine::speak(std::string_view utf8) {
  // No espeak_Cancel: it stalls the next command for up to 150 ms and drops queued settings.
  // A purged text stops at its next chunk, when the callback refuses it.
  purge();
  if (utf8.empty()) return;
  text_.assign(utf8);
  if (rate_pending_) set_rate(rate_);
  if (synthesise() == EE_BUFFER_FULL) {
    // Purged texts waiting their turn have filled espeak-ng's queue: drop them all. The cancel
    // also drops a queued rate, so that goes in again.
    espeak_Cancel();
    set_rate(rate_);
    synthesise();
  }
}

int EspeakEngine::synthesise() {
  return espeak_Synth(text_.c_str(), text_.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                      nullptr, reinterpret_cast<void*>(generation_));
}

void EspeakEngine::wait_until_done() {
  espeak_Synchronize();
  if (device_ == 0) return;
  using Clock = std::chrono::steady_clock;
  Uint32 queued = SDL_GetQueuedAudioSize(device_);
  auto moved_at = Clock::now();
  while (queued > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const Uint32 now_queued = SDL_GetQueuedAudioSize(device_);
    if (now_queued != queued) {
      queued = now_queued;
      moved_at = Clock::now();
    } else if (Clock::now() - moved_at > kStuckQueue) {
      return;  // the device stopped playing; better go on than hang
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(device_buffer_ms_));
}

std::vector<std::string> EspeakEngine::list_voices() {
  std::vector<std::string> names;
  names.reserve(voices_.size());
  for (const Voice& voice : voices_) names.push_back(voice.name);
  return names;
}

void EspeakEngine::select_voice(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= voices_.size()) return;
  use_voice(voices_[static_cast<std::size_t>(index)].identifier);
}

void EspeakEngine::use_voice(const std::string& identifier) {
  // Voices change at once, outside espeak-ng's queue: let any synthesis finish first.
  espeak_Synchronize();
  if (!identifier.empty()) espeak_SetVoiceByName(identifier.c_str());
  current_voice_ = identifier;
  set_rate(rate_);
}

void EspeakEngine::set_rate(int rate) {
  rate_ = rate;
  // Queued behind the text being synthesised, ahead of the next one.
  rate_pending_ = espeak_SetParameter(espeakRATE, espeak_words_per_minute(rate), 0) != EE_OK;
}

std::uint32_t EspeakEngine::queued_bytes() const {
  return device_ != 0 ? SDL_GetQueuedAudioSize(device_) : 0;
}

}  // namespace fortuna
