#include "speech/espeak_engine.h"

#include <SDL.h>
#include <espeak-ng/speak_lib.h>
#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <unistd.h>

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
// The Spanish voice espeak-ng lists first, which the game speaks with until the voices are
// listed: listing them all takes as long as starting espeak-ng, and the greeting need not wait.
constexpr const char* kFirstSpanishVoice = "roa/es";

// Low among real-time threads: the sound server's own come first.
constexpr int kAudioThreadPriority = 3;
// A purge fades over 3 ms: too short to hear as a fade, long enough not to click.
constexpr std::size_t kFadeSamples = kSampleRate * 3 / 1000;
// A queue that has not moved for this long belongs to a stuck device.
constexpr auto kStuckQueue = std::chrono::milliseconds(1500);
// As much as espeak-ng's own thread had, a thread's default.
constexpr std::size_t kSynthesisStackBytes = std::size_t{8} << 20;

// espeak-ng is one per process: started once, its callback shared by whichever engine is open.
std::mutex g_sink_mutex;
EspeakEngine* g_owner = nullptr;
std::uintptr_t g_last_generation = 0;

// Synchronous: espeak-ng synthesises on the thread that asks, ours, and starts none of its own.
int espeak_sample_rate(std::string& error) {
  static const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kChunkMilliseconds, nullptr,
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

// espeak-ng 1.51 reads on past a clause whose last word ends in "s" (the Spanish rule "_) s (K@"
// counts syllables up to the next space, past the clause's closing zero byte) through whatever
// lies above on the stack, until it meets a space byte. On a thread of its own that read could run
// off the top of the stack into the next thread's guard page. On a stack of ours with a page of
// spaces above it, the read stops there at the latest.
class SynthesisThread {
 public:
  SynthesisThread() = default;
  SynthesisThread(const SynthesisThread&) = delete;
  SynthesisThread& operator=(const SynthesisThread&) = delete;
  ~SynthesisThread() {
    join();
    if (memory_ != MAP_FAILED) munmap(memory_, length_);
  }

  // False when the memory or the thread is refused.
  bool start(std::function<void()> body) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    length_ = page + kSynthesisStackBytes + page;
    memory_ = mmap(nullptr, length_, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (memory_ == MAP_FAILED) return false;
    char* const bottom = static_cast<char*>(memory_);
    char* const above = bottom + page + kSynthesisStackBytes;
    std::memset(above, ' ', page);
    // An overflow faults rather than writing below; nothing may write above.
    if (mprotect(bottom, page, PROT_NONE) != 0 || mprotect(above, page, PROT_READ) != 0)
      return false;
    body_ = std::move(body);
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) return false;
    running_ = pthread_attr_setstack(&attributes, bottom + page, kSynthesisStackBytes) == 0 &&
               pthread_create(&thread_, &attributes, enter, this) == 0;
    pthread_attr_destroy(&attributes);
    return running_;
  }

  void join() {
    if (running_) pthread_join(thread_, nullptr);
    running_ = false;
  }

 private:
  static void* enter(void* self) {
    static_cast<SynthesisThread*>(self)->body_();
    return nullptr;
  }

  void* memory_ = MAP_FAILED;
  std::size_t length_ = 0;
  std::function<void()> body_;
  pthread_t thread_{};
  bool running_ = false;
};

// The synth callback runs on the synthesis thread.
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
  std::thread espeak([&] { sample_rate = espeak_sample_rate(espeak_error); });
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
  engine->synthesis_ = std::make_unique<SynthesisThread>();
  if (!engine->synthesis_->start([raw = engine.get()] { raw->serve(); })) {
    error = translate("the espeak-ng library would not start");
    return nullptr;
  }
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

void EspeakEngine::list_here() {
  load_voices();
  std::lock_guard lock(work_mutex_);
  listed_ = true;
  work_changed_.notify_all();
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
  purge();  // what is being synthesised stops at its next chunk
  if (synthesis_) {
    {
      std::lock_guard lock(work_mutex_);
      stopping_ = true;
      work_changed_.notify_all();
    }
    synthesis_->join();  // nothing of ours is left in espeak-ng's hands
  }
  {
    std::lock_guard lock(g_sink_mutex);
    if (g_owner == this) g_owner = nullptr;
  }
  close_device();
}

void EspeakEngine::create_voice() {
  rate_ = 0;
  bool listed = false;
  {
    std::lock_guard lock(work_mutex_);
    listed = listed_;
  }
  // Spanish voices come first; before they are listed, the one that comes first here.
  use_voice(listed ? (voices_.empty() ? std::string() : voices_.front().identifier)
                   : kFirstSpanishVoice);
}

std::uintptr_t EspeakEngine::purge() {
  std::lock_guard lock(g_sink_mutex);
  generation_ = ++g_last_generation;
  text_sounding_ = false;
  queue_.purge();
  return generation_;
}

void EspeakEngine::speak(std::string_view utf8) {
  // A purged text stops at its next chunk, when the callback refuses it, and one not yet begun
  // is dropped here: no espeak_Cancel, which would stall the next text.
  const std::uintptr_t generation = purge();
  std::lock_guard lock(work_mutex_);
  std::erase_if(commands_, [](const Command& c) { return c.kind == Command::Kind::kText; });
  if (!utf8.empty()) commands_.push_back({Command::Kind::kText, std::string(utf8), 0, generation});
  work_changed_.notify_all();
}

void EspeakEngine::post(Command command) {
  std::lock_guard lock(work_mutex_);
  commands_.push_back(std::move(command));
  work_changed_.notify_all();
}

void EspeakEngine::serve() {
  std::unique_lock lock(work_mutex_);
  for (;;) {
    work_changed_.wait(lock, [&] { return stopping_ || !commands_.empty(); });
    if (stopping_) return;
    const Command command = std::move(commands_.front());
    commands_.pop_front();
    busy_ = true;
    lock.unlock();
    carry_out(command);
    lock.lock();
    busy_ = false;
    work_changed_.notify_all();
  }
}

void EspeakEngine::carry_out(const Command& command) {
  switch (command.kind) {
    case Command::Kind::kText:
      // Returns when the text is synthesised or the callback refuses it.
      espeak_Synth(command.text.c_str(), command.text.size() + 1, 0, POS_CHARACTER, 0,
                   espeakCHARS_UTF8, nullptr, reinterpret_cast<void*>(command.generation));
      break;
    case Command::Kind::kRate:
      espeak_SetParameter(espeakRATE, command.words_per_minute, 0);
      break;
    case Command::Kind::kVoice:
      // A system without the usual first voice gets whichever Spanish voice it lists first.
      if (espeak_SetVoiceByName(command.text.c_str()) != EE_OK &&
          command.text == kFirstSpanishVoice) {
        list_here();
        if (!voices_.empty()) espeak_SetVoiceByName(voices_.front().identifier.c_str());
      }
      {
        const espeak_VOICE* voice = espeak_GetCurrentVoice();
        std::lock_guard lock(work_mutex_);
        voice_name_ = voice && voice->name ? voice->name : "";
        ++voices_loaded_;
      }
      break;
    case Command::Kind::kList:
      list_here();
      break;
  }
}

void EspeakEngine::wait_until_done() {
  {
    std::unique_lock lock(work_mutex_);
    work_changed_.wait(lock, [&] { return commands_.empty() && !busy_; });
  }
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
  if (!listed_) {
    // espeak-ng lists on the synthesis thread, behind what it is saying: the first word is heard
    // first.
    post({Command::Kind::kList, {}});
    std::unique_lock lock(work_mutex_);
    work_changed_.wait(lock, [&] { return listed_; });
  }
  std::vector<std::string> names;
  names.reserve(voices_.size());
  for (const Voice& voice : voices_) names.push_back(voice.name);
  return names;
}

void EspeakEngine::select_voice(int index) {
  list_voices();
  if (index < 0 || static_cast<std::size_t>(index) >= voices_.size()) return;
  use_voice(voices_[static_cast<std::size_t>(index)].identifier);
}

std::string EspeakEngine::voice_name() {
  std::unique_lock lock(work_mutex_);
  work_changed_.wait(lock, [&] { return voices_loaded_ == voices_asked_ || stopping_; });
  return voice_name_;
}

void EspeakEngine::use_voice(const std::string& identifier) {
  // Loading a voice reads its dictionary: not again for the voice already in use.
  if (identifier != current_voice_) {
    if (!identifier.empty()) {
      {
        std::lock_guard lock(work_mutex_);
        ++voices_asked_;
      }
      post({Command::Kind::kVoice, identifier});
    }
    current_voice_ = identifier;
  }
  set_rate(rate_);
}

void EspeakEngine::set_rate(int rate) {
  rate_ = rate;
  // Behind the text being synthesised, ahead of the next one.
  post({Command::Kind::kRate, {}, espeak_words_per_minute(rate)});
}

void EspeakEngine::set_sample_listener(SampleListener listener) {
  std::lock_guard lock(g_sink_mutex);
  listener_ = std::move(listener);
}

std::uint32_t EspeakEngine::queued_bytes() const {
  return static_cast<std::uint32_t>(queue_.size() * sizeof(std::int16_t));
}

}  // namespace fortuna
