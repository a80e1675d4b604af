#include <optional>
#include <utility>
#include <variant>

#include "braille/braille_output.h"
#include "braille/brlapi_display.h"
#include "braille/contracted.h"
#include "data/translate.h"
#include "run/braille_link.h"

namespace fortuna {

namespace {

Translator translator(BrailleCode code, std::ostream& messages) {
  if (code == BrailleCode::Uncontracted) return uncontracted;
  auto opened = ContractedBraille::open();
  if (auto* table = std::get_if<ContractedBraille>(&opened)) return std::move(*table);
  report(messages, std::get<std::string>(opened));
  return uncontracted;
}

class BrailleLink final : public SpeechObserver {
 public:
  BrailleLink(BrailleMode mode, BrailleCode code, SpeechObserver& next, Inbox& inbox,
              Session& session, std::ostream& messages)
      : mode_(mode), next_(next), session_(session), messages_(messages) {
    BrlapiDisplay::Options options;
    // The display's news is dealt with on the front end's thread, and never after this is gone.
    options.on_change = [&inbox, alive = std::weak_ptr<BrailleLink*>(self_)] {
      inbox.post([alive] {
        if (const auto link = alive.lock()) (*link)->serve();
      });
    };
    display_ = std::make_unique<BrlapiDisplay>(std::move(options));
    output_.emplace(*display_, translator(code, messages));
  }
  ~BrailleLink() override {
    if (display_ && display_->status().state == BrlapiDisplay::State::Unavailable)
      say_unavailable();
  }

  void on_speak(const std::string& text, Wait wait, const Address& to) override {
    next_.on_speak(text, wait, to);
    if (output_) output_->show(text);
  }
  void on_rate(int rate) override { next_.on_rate(rate); }
  void on_voice(int index) override { next_.on_voice(index); }

 private:
  void serve() {
    if (!display_) return;
    const BrlapiDisplay::State state = display_->status().state;
    if (state == BrlapiDisplay::State::Connected) connected_ = true;
    if (state == BrlapiDisplay::State::Unavailable) {
      // Auto: no brltty at the start means none for this run, silently.
      if (mode_ == BrailleMode::Auto && !connected_) {
        output_.reset();
        display_.reset();
        return;
      }
      say_unavailable();
    }
    while (!session_.ended()) {
      const auto key = output_->poll();
      if (!key) break;
      session_.deliver(*key);
    }
  }

  // Once a run, and only when braille was asked for.
  void say_unavailable() {
    if (mode_ != BrailleMode::On || said_) return;
    said_ = true;
    report(messages_, display_->status().reason);
  }

  BrailleMode mode_;
  SpeechObserver& next_;
  Session& session_;
  std::ostream& messages_;
  std::shared_ptr<BrailleLink*> self_ = std::make_shared<BrailleLink*>(this);
  std::unique_ptr<BrlapiDisplay> display_;  // before the output, which writes on it
  std::optional<BrailleOutput> output_;
  bool connected_ = false, said_ = false;
};

}  // namespace

bool braille_built() {
  return true;
}

std::unique_ptr<SpeechObserver> attach_braille(BrailleMode mode, BrailleCode code,
                                               SpeechObserver& next, Inbox& inbox, Session& session,
                                               std::ostream& messages) {
  if (mode == BrailleMode::Off) return nullptr;
  return std::make_unique<BrailleLink>(mode, code, next, inbox, session, messages);
}

}  // namespace fortuna
