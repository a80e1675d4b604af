#include "speech/espeak_engine.h"

#include <SDL.h>
#include <espeak-ng/speak_lib.h>
#include <pthread.h>
#include <sched.h>

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
// What espeak-ng's voices give; the device is opened for it before espeak-ng says so.
constexpr int kSampleRate = 22050;
// The device's buffer on a sound server, 2.9 ms: what it and the server hold beyond the sample
// playing stays well under 10 ms, so a cut is heard at once. Straight to a card (or to SDL's
// timed dummy driver) a period that short is not kept, and SDL's usual size stays.
constexpr int kServerDeviceSamples = 64;
constexpr int kDeviceSamples = 512;
// Low among real-time threads: the sound server's own come first.
constexpr int kAudioThreadPriority = 3;
// A purge fades over 3 ms: too short to hear as a fade, long enough not to click.
constexpr std::size_t kFadeSamples = kSampleRate * 3 / 1000;
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
    engine->samples_.fetch_add(count, std::memory_order_release);
    // espeak-ng opens some texts with a dozen milliseconds of silence: a key is answered by the
    // first sound, not by that.
    int first = 0;
    if (!engine->text_sounding_) {
      while (first < count && wav[first] == 0) ++first;
      if (first == count) return 0;
      engine->text_sounding_ = true;
    }
    const auto sounding = static_cast<std::size_t>(count - first);
    if (engine->device_ != 0) engine->queue_.push(wav + first, sounding);
    if (engine->listener_) engine->listener_(wav + first, sounding);
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

EspeakEngine::EspeakEngine() : queue_(kFadeSamples) {}

std::unique_ptr<EspeakEngine> EspeakEngine::open_with(bool audio, std::string& error) {
  std::unique_ptr<EspeakEngine> engine(new EspeakEngine());
  // The sound server and espeak-ng each take milliseconds to start: side by side, not in turn.
  // espeak-ng starts on a helper thread; SDL and the sound server stay on the caller's.
  int sample_rate = 0;
  std::string espeak_error;
  std::thread espeak([&] {
    sample_rate = espeak_sample_rate(espeak_error);
    if (sample_rate > 0) engine->load_voices();
  });
  const std::string device_error = audio ? engine->open_device() : std::string();
  espeak.join();
  error = espeak_error;
  if (sample_rate <= 0) return nullptr;
  if (sample_rate != kSampleRate)
    error = translate("espeak-ng speaks at an unexpected sample rate");
  if (!device_error.empty()) error = device_error;
  if (!error.empty()) return nullptr;
  {
    std::lock_guard lock(g_sink_mutex);
    if (g_owner) {
      error = translate("espeak-ng is already in use by another voice");
      return nullptr;
    }
    engine->generation_ = ++g_last_generation;
    g_owner = engine.get();
  }
  espeak_SetSynthCallback(synth_callback);
  engine->create_voice();
  return engine;
}

std::string EspeakEngine::open_device() {
  QuietStderr quiet;
  if (start_sdl_audio() != 0)
    return one_line(format_message(translate("no audio output (%s)"), SDL_GetError()));
  SDL_AudioSpec want{};
  SDL_AudioSpec have{};
  want.freq = kSampleRate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  const std::string driver = SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "";
  const bool server = driver == "pulseaudio" || driver == "pipewire";
  want.samples = server ? kServerDeviceSamples : kDeviceSamples;
  want.callback = play;
  want.userdata = this;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    std::string error = one_line(format_message(translate("no audio device (%s)"), SDL_GetError()));
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return error;
  }
  device_buffer_ms_ = have.freq > 0 ? 1000 * have.samples / have.freq + 1 : 0;
  SDL_PauseAudioDevice(device_, 0);
  return {};
}

void EspeakEngine::close_device() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
}

// SDL's audio thread asks for the next samples.
void EspeakEngine::play(void* engine, std::uint8_t* stream, int bytes) {
  // A buffer this short runs dry if the thread filling it waits behind others: ask for real-time
  // scheduling where the system allows it (root, or a real-time limit), else go on as we are.
  static thread_local bool asked = false;
  if (!asked) {
    asked = true;
    sched_param priority{};
    priority.sched_priority = kAudioThreadPriority;
    pthread_setschedparam(pthread_self(), SCHED_RR, &priority);
  }
  static_cast<EspeakEngine*>(engine)->queue_.pull(reinterpret_cast<std::int16_t*>(stream),
                                                  static_cast<std::size_t>(bytes) / 2);
}

void EspeakEngine::load_voices() {
  std::vector<Voice> spanish, others;
  if (const espeak_VOICE** list = espeak_ListVoices(nullptr)) {
    for (; *list; ++list) {
      const espeak_VOICE& voice = **list;
      if (!voice.name || !voice.identifier) continue;
      (speaks_spanish(voice) ? spanish : others).push_back({voice.name, voice.identifier});
    }
  }
  voices_ = std::move(spanish);
  voices_.insert(voices_.end(), others.begin(), others.end());
}

EspeakEngine::~EspeakEngine() {
  bool owner;
  {
    std::lock_guard lock(g_sink_mutex);
    owner = g_owner == this;
    if (owner) g_owner = nullptr;
    generation_ = ++g_last_generation;
  }
  if (owner) espeak_Synchronize();  // nothing of ours is left in espeak-ng's hands
  close_device();
}

void EspeakEngine::create_voice() {
  rate_ = 0;
  // Spanish voices come first; without one, espeak-ng's own default stays.
  use_voice(voices_.empty() ? std::string() : voices_.front().identifier);
}

void EspeakEngine::purge() {
  std::lock_guard lock(g_sink_mutex);
  generation_ = ++g_last_generation;
  text_sounding_ = false;
  queue_.purge();
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
  std::size_t queued = queue_.size();
  auto moved_at = Clock::now();
  while (queued > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::size_t now_queued = queue_.size();
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
  // Loading a voice reads its dictionary: not again for the voice already in use.
  if (identifier != current_voice_ || identifier.empty()) {
    // Voices change at once, outside espeak-ng's queue: let any synthesis finish first.
    espeak_Synchronize();
    if (!identifier.empty()) espeak_SetVoiceByName(identifier.c_str());
    current_voice_ = identifier;
  }
  set_rate(rate_);
}

void EspeakEngine::set_rate(int rate) {
  rate_ = rate;
  // Queued behind the text being synthesised, ahead of the next one.
  rate_pending_ = espeak_SetParameter(espeakRATE, espeak_words_per_minute(rate), 0) != EE_OK;
}

void EspeakEngine::set_sample_listener(SampleListener listener) {
  std::lock_guard lock(g_sink_mutex);
  listener_ = std::move(listener);
}

std::uint32_t EspeakEngine::queued_bytes() const {
  return static_cast<std::uint32_t>(queue_.size() * sizeof(std::int16_t));
}

}  // namespace fortuna
