// What a player may want kept from one run to the next: the names, who plays them, the rate, the
// voice and the braille they read. The program keeps them somewhere; the screens only say when
// they change.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/roster.h"

namespace fortuna {

enum class BrailleCode { Uncontracted, Contracted };

struct Settings {
  struct CharacterChoice {
    std::string name;
    Player player = Player::Computer;
    bool operator==(const CharacterChoice&) const = default;
  };
  // In roster order; a shorter list leaves the rest as every run starts them.
  std::vector<CharacterChoice> characters;
  std::optional<int> rate;
  // By its description, so that installing another voice does not change the choice.
  std::optional<std::string> voice;
  std::optional<BrailleCode> braille;  // nothing: uncontracted
  // What each table server ("host:port") gave this person: the way back to their seat.
  std::map<std::string, std::string> tokens;
  bool operator==(const Settings&) const = default;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual const Settings& remembered() const = 0;
  virtual void save(const Settings& settings) = 0;
};

}  // namespace fortuna
