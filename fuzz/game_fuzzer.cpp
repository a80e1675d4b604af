// Any bytes as a game: each byte a key (with its modifiers, from the keyboard or a seat), a person
// leaving or coming back, or the answer to an input box, played from a fixed clock; after every key
// every rule must hold, and everything said and shown must be valid UTF-8.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/text.h"
#include "rules/invariants.h"
#include "screens/program.h"
#include "speech/none_engine.h"

namespace {

using namespace fortuna;

void require(bool holds) {
  if (!holds) __builtin_trap();
}

bool valid(const std::string& text) {
  return repair_utf8(text) == text;
}

class FuzzedPlatform final : public Platform {
 public:
  explicit FuzzedPlatform(FuzzedDataProvider& data) : data_(data) {}
  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return data_.ConsumeRandomLengthString(64);
  }
  void beep() override {}
  void set_label(const std::string& caption) override { require(valid(caption)); }

 private:
  FuzzedDataProvider& data_;
};

class CheckedSpeech final : public SpeechObserver {
 public:
  void on_speak(const std::string& text, Wait, const Address&) override { require(valid(text)); }
  void on_rate(int rate) override { require(rate >= -54 && rate <= 54); }
  void on_voice(int) override {}
};

// Escape aside: it ends a run at once, and a fuzzer that ends runs learns little.
constexpr int kKeys[] = {keys::kSpace, keys::kSpace, keys::kEnter,  keys::kControl,
                         keys::kLeft,  keys::kRight, keys::kPageUp, keys::kPageDown,
                         keys::kHome,  keys::kEnd,   keys::kC,      keys::kH,
                         keys::kP,     keys::kTab,   'A',           'Z'};

Key next_key(FuzzedDataProvider& data) {
  const int modifiers = data.ConsumeIntegralInRange(0, 7);
  const int choice = data.ConsumeIntegralInRange(0, 44);
  int code;
  if (choice < 10)
    code = keys::k0 + choice;
  else if (choice < 22)
    code = keys::kF1 + choice - 10;
  else if (choice < 22 + static_cast<int>(std::size(kKeys)))
    code = kKeys[choice - 22];
  else
    code = keys::kSpace;
  return {code, Modifiers::from_bits(modifiers)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  NoneEngine engine;
  FuzzedPlatform platform(data);
  FixedClock clock({10, 20, 30});
  Program program(engine, platform, clock);
  CheckedSpeech observer;
  program.speech().set_observer(&observer);
  program.start();
  if (data.ConsumeBool()) program.use_seats();
  while (!program.ended() && data.remaining_bytes() > 0) {
    // Keys from the keyboard or from any seat; now and then a person leaves or comes back.
    const int from = data.ConsumeIntegralInRange(0, kCharacterCount);
    const auto seat =
        from < kCharacterCount ? std::optional(static_cast<CharacterId>(from)) : std::nullopt;
    if (seat && program.is_open(WindowId::Main) && data.ConsumeIntegralInRange(0, 15) == 0)
      program.game_screen().set_player(*seat,
                                       data.ConsumeBool() ? Player::Person : Player::Computer);
    else
      program.key_down(next_key(data), seat);
    if (program.is_open(WindowId::Main))
      require(check_invariants(program.game_screen().game()).empty());
  }
  return 0;
}
