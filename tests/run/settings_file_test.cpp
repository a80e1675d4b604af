#include "run/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "support/run_fortuna.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

Settings sample() {
  Settings settings;
  settings.rate = -54;
  settings.voice = "Español (España) 'comillas' \"dobles\"";
  settings.braille = BrailleCode::Contracted;
  settings.tokens = {{"[::1]:8417", "0f1e2d3c"}, {"mesas.example.org:443", "a.b"}};
  settings.characters = {{"Ñandú «el gato»", Player::Person},
                         {std::string(300, 'x') + " é\t\\ fin", Player::Computer},
                         {"Doña Úrsula = [x] # no es comentario", Player::Person}};
  return settings;
}

TEST(SettingsFile, EveryFieldComesBackAsItWentWhateverItHoldsAndTheFolderIsMadeForIt) {
  std::string error;
  EXPECT_EQ(SettingsFile::parse(SettingsFile::format(sample()), error), sample()) << error;
  EXPECT_EQ(SettingsFile::parse("", error), Settings{});
  for (const char* damaged :
       {"velocidad = ", "velocidad = 'x'", "[[personajes]]\nnombre = 3", "personajes = 1",
        "\xff = 1", "braille = 'grado 2'", "braille = 2", "fichas = 'x'", "[fichas]\nservidor = 3"})
    EXPECT_FALSE(SettingsFile::parse(damaged, error)) << damaged;
  const auto path = scratch_dir() / "nueva" / "carpeta" / "ajustes.toml";
  std::ostringstream messages;
  SettingsFile(path, messages).save(sample());
  EXPECT_EQ(SettingsFile(path, messages).remembered(), sample());
  EXPECT_EQ(messages.str(), "");
}

TEST(SettingsFile, ADamagedFileIsKeptAsideAndAReadOnlyFolderIsSaidOnce) {
  const auto dir = scratch_dir();
  std::ofstream(dir / "ajustes.toml") << "velocidad = [";
  std::ostringstream messages;
  SettingsFile damaged(dir / "ajustes.toml", messages);
  EXPECT_EQ(damaged.remembered(), Settings{});
  EXPECT_TRUE(std::filesystem::exists(dir / "ajustes.toml.roto"));
  const std::string said = messages.str();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

  // A place nobody can write in, even root: a file where the folder should be.
  std::ofstream(dir / "no es carpeta") << "x";
  std::ostringstream once;
  SettingsFile read_only(dir / "no es carpeta" / "ajustes.toml", once);
  read_only.save(sample());
  read_only.save(sample());
  EXPECT_EQ(read_only.remembered(), sample()) << "kept for the run";
  const std::string said_once = once.str();
  EXPECT_EQ(std::count(said_once.begin(), said_once.end(), '\n'), 1) << said_once;
}

TEST(SettingsFile, TwoProgramsSavingAtOnceLeaveOneWholeFile) {
  const auto path = scratch_dir() / "ajustes.toml";
  auto saver = [&](const std::string& name) {
    std::ostringstream messages;
    SettingsFile file(path, messages);
    Settings settings = sample();
    for (int i = 0; i < 200; ++i) {
      settings.characters[0].name = name + std::to_string(i);
      file.save(settings);
    }
  };
  std::thread a(saver, "uno "), b(saver, "dos ");
  a.join();
  b.join();
  std::string error;
  const auto last = SettingsFile::parse(read_file(path), error);
  ASSERT_TRUE(last) << error;
  EXPECT_TRUE(last->characters[0].name == "uno 199" || last->characters[0].name == "dos 199");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1);
}

TEST(SettingsFile, ARememberedStartGreetsWithTheNewNamesAndAMissingVoiceLeavesTheDefault) {
  const auto path = scratch_dir() / "ajustes.toml";
  Settings settings = sample();
  settings.voice = "Voz que ya no está";
  settings.rate = 12;
  std::ostringstream messages;
  SettingsFile file(path, messages);
  file.save(settings);
  TestProgram t({10, 20, 30}, &file);
  EXPECT_TRUE(t.log.last().ends_with("listo. Ñandú «el gato»Seleccionado")) << t.log.last();
  EXPECT_EQ(t.engine.current_voice(), 0);
  EXPECT_EQ(t.engine.rate(), 12);
  t.key(keys::kF10);
  EXPECT_EQ(file.remembered().voice, "Voz dos");
  EXPECT_EQ(SettingsFile(path, messages).remembered().voice, "Voz dos");
}

}  // namespace
}  // namespace fortuna::testing
