#include "speech/speechd_engine.h"

#include <fcntl.h>
#include <poll.h>
#include <speech-dispatcher/libspeechd.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <mutex>

#include "data/translate.h"

namespace fortuna {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct SpeechdState {
  SPDConnection* connection = nullptr;  // touched on the worker's thread only
  int watch = -1;  // the connection's socket again: hung up once the service is gone
  std::mutex mutex;
  std::condition_variable changed;
  long begun = 0, finished = 0;  // the highest message numbers the service reported
  long pending = 0;              // the message a wait is for; 0 for none
  Clock::time_point said_at;
  std::size_t said_length = 0;
  std::string fault;
  std::vector<SpeechdVoice> voices;
};

namespace {

// Starting the service cold takes a few hundred milliseconds, more on a busy machine.
constexpr milliseconds kOpenLimit{8000};
constexpr milliseconds kCallLimit{3000};
// The service lists over 13,000 voices in one to three seconds.
constexpr milliseconds kListLimit{20000};
// A service that can sound begins a text within this; one that cannot never does.
constexpr milliseconds kBeginLimit{1000};
// The slowest rate says about five characters a second: a text has this long to end.
constexpr milliseconds kEndLimitBase{3000};
constexpr milliseconds kEndLimitPerCharacter{300};

const char* const kVoiceTypes[] = {"male1",   "male2",   "male3",      "female1",
                                   "female2", "female3", "child male", "child female"};

// The service's events arrive on the library's own thread, with no way to say for whom.
struct EventRoute {
  std::mutex mutex;
  std::weak_ptr<SpeechdState> state;
};

// Never destroyed: a connection left to a service that stopped answering keeps its thread,
// which may report an event while the process is already tearing its statics down.
EventRoute& event_route() {
  static auto* route = new EventRoute;
  return *route;
}

void on_event(size_t message, size_t, SPDNotificationType type) {
  std::shared_ptr<SpeechdState> state;
  {
    std::lock_guard lock(event_route().mutex);
    state = event_route().state.lock();
  }
  if (!state) return;
  {
    std::lock_guard lock(state->mutex);
    long& mark = type == SPD_EVENT_BEGIN ? state->begun : state->finished;
    mark = std::max(mark, static_cast<long>(message));
  }
  state->changed.notify_all();
}

// Killed by a signal, the game still tells the service to stop talking.
volatile std::sig_atomic_t g_cancel_socket = -1;

void cancel_and_die(int signal_number) {
  static const char kCancel[] = "CANCEL self\r\n";
  if (g_cancel_socket >= 0) {
    [[maybe_unused]] auto written = write(g_cancel_socket, kCancel, sizeof kCancel - 1);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void install_signal_handlers() {
  // A lost service must not kill the game with SIGPIPE when we write to it.
  for (int signal_number : {SIGPIPE, SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction current {};
    if (sigaction(signal_number, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
      continue;  // someone else's handler stays
    std::signal(signal_number, signal_number == SIGPIPE ? SIG_IGN : cancel_and_die);
  }
}

bool hung_up(int socket) {
  if (socket < 0) return true;
  pollfd watch{socket, POLLRDHUP, 0};
  return poll(&watch, 1, 0) > 0 && (watch.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL));
}

std::string one_line(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.pop_back();
  return text;
}

std::size_t characters(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

int speechd_rate(int logical_rate, int player_rate) {
  constexpr int kEnd = 50;
  const double step = std::clamp(logical_rate, -kEnd, kEnd) / double(kEnd);
  const double room = step >= 0 ? 100 - player_rate : player_rate + 100;
  return std::clamp(static_cast<int>(std::lround(player_rate + room * step)), -100, 100);
}

std::vector<SpeechdVoice> parse_voice_list(std::string_view reply) {
  std::vector<SpeechdVoice> voices;
  while (!reply.empty()) {
    const std::size_t end = reply.find("\r\n");
    const std::string_view line = reply.substr(0, end);
    reply = end == std::string_view::npos ? std::string_view() : reply.substr(end + 2);
    if (line.size() < 4 || line[3] != '-') break;  // "249 OK ..." closes the list
    const std::string_view fields = line.substr(4);
    const std::size_t tab = fields.find('\t');
    if (tab == std::string_view::npos || tab == 0) continue;
    const std::string_view rest = fields.substr(tab + 1);
    voices.push_back(
        {std::string(fields.substr(0, tab)), std::string(rest.substr(0, rest.find('\t')))});
  }
  return voices;
}

std::vector<SpeechdVoice> spanish_voices(std::vector<SpeechdVoice> voices) {
  auto spanish = [](const SpeechdVoice& voice) {
    return voice.language == "es" || voice.language.starts_with("es-");
  };
  if (std::none_of(voices.begin(), voices.end(), spanish)) return voices;
  std::erase_if(voices, [&](const SpeechdVoice& voice) { return !spanish(voice); });
  return voices;
}

SpeechdEngine::SpeechdEngine() : state_(std::make_shared<SpeechdState>()) {}

std::unique_ptr<SpeechdEngine> SpeechdEngine::open(std::string& error) {
  std::unique_ptr<SpeechdEngine> engine(new SpeechdEngine());
  bool connection_broke = false;
  if (!engine->connect(error) || !engine->heard_speaking(error, connection_broke)) {
    // A service leaving after its idle time can take a connection and drop it: once more.
    if (!connection_broke) return nullptr;
    engine.reset(new SpeechdEngine());
    if (!engine->connect(error) || !engine->heard_speaking(error, connection_broke)) return nullptr;
  }
  engine->create_voice();
  return engine;
}

// Listed the first time they are asked for, which is after the first word: the service takes
// about a second to list its thousands of voices.
void SpeechdEngine::start_listing() {
  if (listed_) return;
  listed_ = true;
  worker_.post([state = state_] {
    char* reply = nullptr;
    spd_execute_command_with_reply(state->connection, "LIST SYNTHESIS_VOICES", &reply);
    auto voices = reply ? spanish_voices(parse_voice_list(reply)) : std::vector<SpeechdVoice>();
    std::free(reply);
    std::lock_guard lock(state->mutex);
    state->voices = std::move(voices);
  });
  listing_ = true;
  await_voices();
}

bool SpeechdEngine::connect(std::string& error) {
  struct Settings {
    std::string error, module, language;
    int rate = 0, voice_type = 0;
  };
  install_signal_handlers();
  auto settings = worker_.call<Settings>(
      [state = state_]() -> Settings {
        char* reason = nullptr;
        SPDConnection* c =
            spd_open2("fortuna", "main", nullptr, SPD_MODE_THREADED, nullptr, 1, &reason);
        if (!c) {
          Settings failed;
          failed.error =
              format_message(translate("speech-dispatcher cannot be reached: %s"),
                             one_line(reason ? reason : translate("no reason given")).c_str());
          std::free(reason);
          return failed;
        }
        state->connection = c;
        state->watch = fcntl(c->socket, F_DUPFD_CLOEXEC, 0);
        c->callback_begin = c->callback_end = c->callback_cancel = on_event;
        spd_set_notification_on(c, SPD_BEGIN);
        spd_set_notification_on(c, SPD_END);
        spd_set_notification_on(c, SPD_CANCEL);
        spd_set_data_mode(c, SPD_DATA_TEXT);  // read literally, never as markup
        Settings found;
        char* module = spd_get_output_module(c);
        char* language = spd_get_language(c);
        found.module = module ? module : "";
        found.language = language ? language : "";
        std::free(module);
        std::free(language);
        found.rate = spd_get_voice_rate(c);
        found.voice_type = static_cast<int>(spd_get_voice_type(c));
        return found;
      },
      kOpenLimit);
  if (!settings) {
    error = translate("speech-dispatcher did not answer in time");
    return false;
  }
  if (!settings->error.empty()) {
    error = settings->error;
    return false;
  }
  {
    std::lock_guard lock(event_route().mutex);
    event_route().state = state_;
  }
  g_cancel_socket = state_->watch;
  module_ = settings->module;
  // The game speaks Spanish, whatever the player's default language.
  language_ = settings->language.starts_with("es") ? settings->language : "es";
  player_rate_ = std::clamp(settings->rate, -100, 100);
  // The service may not say (0): its usual first voice then.
  const bool known = settings->voice_type >= SPD_MALE1 && settings->voice_type <= SPD_CHILD_FEMALE;
  player_voice_type_ = known ? settings->voice_type : SPD_MALE1;
  return true;
}

bool SpeechdEngine::heard_speaking(std::string& error, bool& connection_broke) {
  // A blank text: silent, but a service without a working sound output never finishes it.
  auto message = worker_.call<int>(
      [state = state_] { return spd_say(state->connection, SPD_TEXT, " "); }, kCallLimit);
  if (!message || *message < 0) {
    connection_broke = message.has_value();
    error = translate("speech-dispatcher would not take a text");
    return false;
  }
  std::unique_lock lock(state_->mutex);
  if (state_->changed.wait_for(lock, kBeginLimit + milliseconds(500),
                               [&] { return state_->finished >= *message; }))
    return true;
  error = state_->begun >= *message
              ? translate(
                    "speech-dispatcher began a text and never finished it (no working sound "
                    "output?)")
              : translate(
                    "speech-dispatcher did not begin a text within a second (no working "
                    "sound output?)");
  return false;
}

SpeechdEngine::~SpeechdEngine() {
  g_cancel_socket = -1;
  if (!worker_.stuck()) {
    worker_.post([state = state_] {
      if (!state->connection) return;
      spd_cancel(state->connection);
      spd_close(state->connection);
      state->connection = nullptr;
    });
  }
  {
    std::lock_guard lock(event_route().mutex);
    if (event_route().state.lock() == state_) event_route().state.reset();
  }
  // The worker's destructor lets the goodbye run, for a while, then the socket goes.
}

void SpeechdEngine::fail(const std::string& reason) const {
  std::lock_guard lock(state_->mutex);
  if (state_->fault.empty()) state_->fault = reason;
}

std::string SpeechdEngine::fault() const {
  std::lock_guard lock(state_->mutex);
  if (!state_->fault.empty()) return state_->fault;
  if (hung_up(state_->watch)) {
    state_->fault = translate("speech-dispatcher went away");
  } else if (state_->pending != 0 && state_->begun < state_->pending &&
             state_->finished < state_->pending && Clock::now() - state_->said_at > kBeginLimit) {
    state_->fault = translate("speech-dispatcher did not begin a text within a second");
  }
  return state_->fault;
}

bool SpeechdEngine::call(std::function<bool()> job, milliseconds limit) {
  await_voices();
  if (!fault().empty()) return false;
  const auto done = worker_.call<bool>(std::move(job), limit);
  if (!done)
    fail(translate("speech-dispatcher stopped answering"));
  else if (!*done)
    fail(translate("the connection to speech-dispatcher broke"));
  return done && *done;
}

void SpeechdEngine::await_voices() {
  if (!listing_) return;
  listing_ = false;
  if (!worker_.run([] {}, kListLimit)) fail(translate("speech-dispatcher stopped answering"));
  std::lock_guard lock(state_->mutex);
  voices_ = state_->voices;
}

void SpeechdEngine::create_voice() {
  rate_ = 0;
  service_rate_ = player_rate_;
  call(
      [state = state_, rate = service_rate_, type = player_voice_type_, language = language_] {
        SPDConnection* c = state->connection;
        // The voice type also drops a voice chosen by name: the player's own voice again.
        return spd_set_voice_rate(c, rate) == 0 &&
               spd_set_voice_type(c, static_cast<SPDVoiceType>(type)) == 0 &&
               spd_set_language(c, language.c_str()) == 0;
      },
      kCallLimit);
}

void SpeechdEngine::speak(std::string_view utf8) {
  auto message = std::make_shared<long>(0);
  const bool done = call(
      [state = state_, text = std::string(utf8), message] {
        SPDConnection* c = state->connection;
        if (spd_cancel(c) != 0) return false;
        if (!text.empty()) *message = spd_say(c, SPD_TEXT, text.c_str());
        return *message >= 0;
      },
      kCallLimit);
  std::lock_guard lock(state_->mutex);
  state_->pending = done ? *message : 0;
  state_->said_at = Clock::now();
  state_->said_length = characters(utf8);
}

void SpeechdEngine::wait_until_done() {
  await_voices();
  std::unique_lock lock(state_->mutex);
  const milliseconds end_limit =
      kEndLimitBase + kEndLimitPerCharacter * static_cast<long>(state_->said_length);
  while (state_->pending != 0 && state_->finished < state_->pending && state_->fault.empty()) {
    const auto waited = Clock::now() - state_->said_at;
    if (hung_up(state_->watch))
      state_->fault = translate("speech-dispatcher went away");
    else if (state_->begun < state_->pending && waited > kBeginLimit)
      state_->fault = translate("speech-dispatcher did not begin a text within a second");
    else if (waited > end_limit)
      state_->fault = translate("speech-dispatcher never finished a text");
    else
      state_->changed.wait_for(lock, milliseconds(20));
  }
}

std::vector<std::string> SpeechdEngine::list_voices() {
  start_listing();
  await_voices();
  if (voices_.empty()) return {module_.empty() ? "speech-dispatcher" : module_};
  std::vector<std::string> names;
  names.reserve(voices_.size());
  for (const SpeechdVoice& voice : voices_) names.push_back(voice.name);
  return names;
}

void SpeechdEngine::select_voice(int index) {
  start_listing();
  if (index < 0 || static_cast<std::size_t>(index) >= voices_.size()) return;
  call(
      [state = state_, name = voices_[static_cast<std::size_t>(index)].name] {
        return spd_set_synthesis_voice(state->connection, name.c_str()) == 0;
      },
      kCallLimit);
}

void SpeechdEngine::set_rate(int rate) {
  rate_ = rate;
  service_rate_ = speechd_rate(rate, player_rate_);
  call([state = state_,
        value = service_rate_] { return spd_set_voice_rate(state->connection, value) == 0; },
       kCallLimit);
}

std::string SpeechdEngine::summary() const {
  return "speech-dispatcher (" +
         (module_.empty() ? std::string(translate("its default module")) : module_) + "), voice " +
         kVoiceTypes[player_voice_type_ - SPD_MALE1] + " for language " + language_;
}

}  // namespace fortuna
