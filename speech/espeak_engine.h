// espeak-ng, synthesising on a thread of ours and playing through a sample queue of our own that
// an SDL audio device drains with a short buffer: a purge fades out within milliseconds.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "speech/engine.h"
#include "speech/fading_queue.h"

namespace fortuna {

// The words per minute espeak-ng gets for a logical rate: 175 at 0, three times faster every
// +10, kept within what espeak-ng can say (80 to 900).
int espeak_words_per_minute(int rate);

class SynthesisThread;

class EspeakEngine final : public SpeechEngine {
 public:
  // The engine ready to speak, or nothing with a one-line reason in error (no audio device,
  // the library would not start).
  static std::unique_ptr<EspeakEngine> open(std::string& error);
  // The same engine without an audio device: synthesises and drops the samples (measurements).
  static std::unique_ptr<EspeakEngine> open_silent(std::string& error);

  ~EspeakEngine() override;
  EspeakEngine(const EspeakEngine&) = delete;
  EspeakEngine& operator=(const EspeakEngine&) = delete;

  void create_voice() override;
  void speak(std::string_view utf8) override;
  void wait_until_done() override;
  std::vector<std::string> list_voices() override;
  void select_voice(int index) override;
  int rate() const override { return rate_; }
  void set_rate(int rate) override;

  // Samples synthesised for texts that were not purged, since the engine opened.
  long samples_synthesised() const { return samples_.load(std::memory_order_acquire); }
  // Bytes waiting in the sample queue (0 without a device).
  std::uint32_t queued_bytes() const;
  // Sees every sample queued for the device, before any fade (tests and measurements).
  using SampleListener = std::function<void(const std::int16_t*, std::size_t)>;
  void set_sample_listener(SampleListener listener);
  // The espeak-ng identifier of the current voice.
  const std::string& voice_identifier() const { return current_voice_; }
  // The name of the voice in use, once the voice asked for last is loaded; empty when espeak-ng
  // has none. Cheaper than listing them all, which would hold the first word back.
  std::string voice_name();

 private:
  struct Voice {
    std::string name, identifier;
  };
  // What espeak-ng does next on the synthesis thread, in the order asked.
  struct Command {
    enum class Kind { kText, kRate, kVoice, kList } kind;
    std::string text;  // the text, or the voice's identifier
    int words_per_minute = 0;
    std::uintptr_t generation = 0;  // of the text
  };

  friend struct SynthSink;

  EspeakEngine();
  static std::unique_ptr<EspeakEngine> open_with(bool audio, std::string& error);
  // Opens and starts the SDL audio device drawing from queue_; the empty string or why not.
  std::string open_device();
  void close_device();
  static void play(void* engine, std::uint8_t* stream, int bytes);
  void load_voices();
  void list_here();  // on the synthesis thread
  void use_voice(const std::string& identifier);
  std::uintptr_t purge();  // the new generation
  void post(Command command);
  void serve();  // the synthesis thread
  void carry_out(const Command& command);

  FadingQueue queue_;
  std::uint32_t device_ = 0;   // SDL audio device, 0 when silent
  int device_buffer_ms_ = 0;   // what the device has taken from the queue may still sound
  std::vector<Voice> voices_;  // once listed_
  bool listed_ = false;        // under work_mutex_
  std::string voice_name_;     // under work_mutex_, once a voice was asked for
  std::size_t voices_asked_ = 0, voices_loaded_ = 0;  // under work_mutex_
  std::string current_voice_;
  int rate_ = 0;
  std::mutex work_mutex_;
  std::condition_variable work_changed_;
  std::deque<Command> commands_;  // under work_mutex_, as busy_ and stopping_
  bool busy_ = false;             // a command is being carried out
  bool stopping_ = false;
  std::unique_ptr<SynthesisThread> synthesis_;
  // The text whose samples may still be delivered; older ones are dropped and aborted.
  // Written under the callback's lock.
  std::uintptr_t generation_ = 0;
  bool text_sounding_ = false;  // under the callback's lock: the text's leading silence is past
  std::atomic<long> samples_{0};
  SampleListener listener_;  // under the callback's lock
};

}  // namespace fortuna
