#include "run/session.h"
#include "screens/program.h"

namespace fortuna {

namespace {

class LocalSession final : public Session {
 public:
  explicit LocalSession(SessionParts& parts)
      : Session(parts.transcript, parts.engine),
        program_(parts.engine, parts.platform, parts.clock, parts.settings) {
    program_.set_help_extra(parts.help_extra);
  }

  SpeechChannel& speech() override { return program_.speech(); }
  void start() override { program_.start(); }
  bool ended() const override { return program_.ended(); }
  void use_seats() override { program_.use_seats(); }

 protected:
  void press(std::optional<CharacterId> seat, Key key) override { program_.key_down(key, seat); }

 private:
  Program program_;
};

}  // namespace

std::unique_ptr<Session> make_local_session(SessionParts& parts) {
  return std::make_unique<LocalSession>(parts);
}

}  // namespace fortuna
