// The client's side of a table, against a server played by the test: what it sends for each key,
// what it says for each message, and the keys it keeps to itself.
#include "client/remote_table.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/recording_engine.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

// Settings kept in memory.
struct Remembered final : SettingsStore {
  const Settings& remembered() const override { return settings; }
  void save(const Settings& saved) override {
    settings = saved;
    ++saves;
  }
  Settings settings;
  int saves = 0;
};

struct Client {
  explicit Client(RemoteTable::Place place = {"localhost:4747", "Ana", "", false},
                  SettingsStore* settings = nullptr)
      : table(speech, platform, settings, std::move(place),
              [this](std::string message) { sent.push_back(std::move(message)); }) {
    speech.set_observer(&log);
    table.start();
  }
  void key(int code, Modifiers modifiers = {}) { table.key_down({code, modifiers}); }
  std::string last_sent() const { return sent.empty() ? "" : sent.back(); }

  RecordingEngine engine;
  SpeechChannel speech{engine};
  FakePlatform platform;
  SpeechLog log;
  std::vector<std::string> sent;
  RemoteTable table;
};

// Two people called Ana: the roster says which character is this one's.
const char* kRoster =
    R"({"type":"roster","characters":[{"number":1,"name":"Bigotes"},)"
    R"({"number":2,"name":"Sir Reginald","holder":"Ana"},{"number":3,"name":"Vanessa",)"
    R"("holder":"Ana","yours":true}],"creator":"Ana","players":["Ana","Ana"],"onlookers":0,)"
    R"("started":false})";

TEST(RemoteTable, FromTheListOfTablesToATableAndItsCharacters) {
  Client c;
  EXPECT_EQ(c.log.last(), "La fortuna de Vadod Brunilda. Conectando con localhost:4747.");
  c.table.opened();
  EXPECT_EQ(c.last_sent(), R"({"name":"Ana","type":"hello","version":1})");
  c.table.received(R"({"type":"welcome","version":1,"token":"ab12","name":"Ana","resumed":false})");
  EXPECT_EQ(c.last_sent(), R"({"type":"list"})");
  c.table.received(
      R"({"type":"tables","tables":[{"name":"Mesa A","players":1,"onlookers":0,"started":false},)"
      R"({"name":"Mesa B","players":3,"onlookers":1,"started":true,"free":[]}]})");
  EXPECT_EQ(c.log.last(), "Mesa A: 1 jugador, 0 mirando, sin empezar.");
  c.key(keys::kUp);
  EXPECT_EQ(c.log.last(), "Mesa B: 3 jugadores, 1 mirando, partida empezada.");
  c.key(keys::kEnter);
  EXPECT_EQ(c.last_sent(), R"({"as":"player","table":"Mesa B","type":"join"})");
  c.table.received(R"({"type":"joined","table":"Mesa A","as":"player","creator":true,)"
                   R"("started":false})");
  c.table.received(kRoster);
  c.key(keys::kRight);
  EXPECT_EQ(c.log.last(), "Sir Reginald: de Ana.");
  c.key(keys::kSpace);
  EXPECT_EQ(c.last_sent(), R"({"character":2,"type":"take"})");
  c.key(keys::kF2);
  EXPECT_EQ(c.log.last(), "Ese personaje no es suyo.");
  c.key(keys::kRight);
  EXPECT_EQ(c.log.last(), "Vanessa: suyo.");
  c.platform.answers.push_back("Doña Ñandú");
  c.key(keys::kF2);
  EXPECT_EQ(c.last_sent(), R"({"character":3,"name":"Doña Ñandú","type":"rename"})");
  c.key(keys::kSpace);
  EXPECT_EQ(c.last_sent(), R"({"character":3,"type":"release"})");
  c.key(keys::kEnter);
  EXPECT_EQ(c.last_sent(), R"({"type":"start"})");
}

TEST(RemoteTable, WhileAtTheListATableThatComesIsSaidAndThePersonStaysWhereTheyWere) {
  Client c;
  c.table.tick();
  EXPECT_TRUE(c.sent.empty()) << "not yet at the list";
  c.table.opened();
  c.table.received(R"({"type":"welcome","version":1,"token":"ab12","name":"Ana","resumed":false})");
  c.table.received(R"({"type":"tables","tables":[]})");
  EXPECT_EQ(c.log.last(), "No hay mesas. Pulse F2 para crear una.");
  c.table.tick();
  EXPECT_EQ(c.last_sent(), R"({"type":"list"})");
  const std::size_t sent = c.sent.size();
  c.table.tick();
  EXPECT_EQ(c.sent.size(), sent) << "one list asked for at a time";
  c.table.received(
      R"({"type":"tables","tables":[{"name":"Mesa B","players":1,"onlookers":0,"started":false}]})");
  EXPECT_EQ(c.log.last(), "Nueva mesa: Mesa B.");
  c.table.tick();
  const std::size_t said = c.log.entries.size();
  c.table.received(
      R"({"type":"tables","tables":[{"name":"Mesa A","players":2,"onlookers":0,"started":false},)"
      R"({"name":"Mesa B","players":2,"onlookers":0,"started":false}]})");
  EXPECT_EQ(c.log.entries.size(), said + 1) << "the new table alone";
  EXPECT_EQ(c.log.entries.back().wait, Wait::Before) << "after what is being said";
  c.key(keys::kEnter);
  EXPECT_EQ(c.last_sent(), R"({"as":"player","table":"Mesa B","type":"join"})")
      << "still on the table the person was at";
  c.table.received(R"({"type":"joined","table":"Mesa B","as":"player","creator":false,)"
                   R"("started":false})");
  const std::size_t at_table = c.sent.size();
  c.table.tick();
  EXPECT_EQ(c.sent.size(), at_table) << "at a table the list is not asked for";
}

TEST(RemoteTable, InTheGameKeysGoToTheServerButThosePeopleKeepToThemselves) {
  Client c({"localhost:4747", "Ana", "Mesa A", false});
  c.table.opened();
  c.table.received(R"({"type":"welcome","version":1,"token":"ab12","name":"Ana","resumed":false})");
  EXPECT_EQ(c.last_sent(), R"({"as":"player","table":"Mesa A","type":"join"})");
  c.table.received(R"({"type":"error","code":"no_such_table","message":"No hay tal mesa."})");
  EXPECT_EQ(c.last_sent(), R"({"table":"Mesa A","type":"create"})");
  c.table.received(R"({"type":"joined","table":"Mesa A","as":"player","creator":true,)"
                   R"("started":true})");
  EXPECT_EQ(c.platform.shown.back(), WindowId::Main);
  c.table.received(R"({"type":"say","text":"Turno de Ana, que elige sala.","wait":"before",)"
                   R"("audience":"table","n":1})");
  EXPECT_EQ(c.log.entries.back().wait, Wait::Before);
  c.table.received(R"({"type":"say","text":"Ana, es su turno.","wait":"none","audience":"seat",)"
                   R"("seat":3,"n":2})");
  EXPECT_EQ(c.log.entries.back().to.seat, CharacterId{2});
  const std::size_t sent = c.sent.size();
  c.key(keys::k1, {false, true, false});
  EXPECT_EQ(c.last_sent(), R"({"key":"Ctrl+1","type":"key"})");
  for (int own : {keys::kF5, keys::kF7, keys::kF10, keys::kControl, keys::kPageUp, keys::kF1})
    c.key(own);
  EXPECT_EQ(c.sent.size(), sent + 1) << "repeat, rate, voice, silence, history and help stay";
  c.key(keys::kF5);
  EXPECT_EQ(c.log.last(), "Voz dos") << "the last text said, again";
  c.table.received(R"({"type":"missed","texts":[{"text":"Lo que se perdió","n":3}]})");
  c.key(keys::kEnd);
  EXPECT_EQ(c.log.last(), "Último mensaje: Lo que se perdió");
  c.table.received(R"({"type":"label","text":"Etiqueta"})");
  c.table.received(R"({"type":"beep"})");
  EXPECT_EQ(c.platform.labels.back(), "Etiqueta");
  EXPECT_EQ(c.platform.beeps, 1);
  c.key(keys::kEscape);
  EXPECT_TRUE(c.table.ended());
}

TEST(RemoteTable, ADropIsSaidAndTheWayBackUsesTheToken) {
  Client c;
  c.table.opened();
  c.table.received(R"({"type":"welcome","version":1,"token":"ab12","name":"Ana","resumed":false})");
  c.table.received("not json at all");
  c.table.received(R"({"type":"say","text":"Dicho antes","wait":"none","audience":"table","n":5})");
  c.table.dropped();
  EXPECT_EQ(c.log.last(), "Se ha perdido la conexión con el servidor. Intentando de nuevo.");
  c.table.opened();
  EXPECT_EQ(c.log.last(), "Conexión recuperada.");
  EXPECT_EQ(c.last_sent(), R"({"name":"Ana","seen":5,"token":"ab12","type":"hello","version":1})");
  const std::size_t said = c.log.entries.size();
  c.table.received(R"({"type":"say","text":"Dicho antes","wait":"none","audience":"table","n":5})");
  EXPECT_EQ(c.log.entries.size(), said) << "a text said into the closing link is heard once";
  const std::size_t sent = c.sent.size();
  c.table.received(R"({"type":"welcome","version":1,"token":"ab12","name":"Ana","resumed":true})");
  EXPECT_EQ(c.sent.size(), sent) << "back at the table: the server puts the person there";
  c.table.received(R"({"type":"joined","table":"Mesa A","as":"onlooker","creator":false,)"
                   R"("started":true})");
  c.key(keys::kSpace);
  EXPECT_EQ(c.sent.size(), sent) << "an onlooker sends no game keys";
  EXPECT_EQ(c.log.last(), "Está mirando: solo escucha la partida.");
}

TEST(RemoteTable, TheTokenIsKeptForTheNextRunAndForgottenWhenTheServerKnowsItNot) {
  Remembered kept;
  kept.settings.tokens["localhost:4747"] = "old";
  Client c({"localhost:4747", "Ana", "", false}, &kept);
  c.table.opened();
  EXPECT_EQ(c.last_sent(), R"({"name":"Ana","token":"old","type":"hello","version":1})");
  c.table.received(R"({"type":"error","code":"unknown_token","message":"No se conoce."})");
  EXPECT_EQ(c.last_sent(), R"({"name":"Ana","type":"hello","version":1})");
  c.table.received(R"({"type":"welcome","version":1,"token":"new","name":"Ana","resumed":false})");
  EXPECT_EQ(kept.settings.tokens["localhost:4747"], "new");
  c.table.received(R"({"type":"welcome","version":1,"token":"new","name":"Ana","resumed":true})");
  EXPECT_EQ(kept.saves, 1) << "the same token is not written again";
}

}  // namespace
}  // namespace fortuna::testing
