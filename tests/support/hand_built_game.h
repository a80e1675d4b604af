// A game set up by hand, without a new game: everyone alive, calm and the computer's, with no
// room and no card; the line of succession in roster order with the first character as heir;
// an empty pile; every room open. Cards are named by their place in the catalogue.
#pragma once

#include <numeric>
#include <optional>

#include "data/game.h"

namespace fortuna::testing {

namespace cards {
inline constexpr CardId kKeys = 0, kHeirChange = 1, kHeirChange2 = 2, kSwap = 3, kSwap2 = 4;
inline constexpr CardId kHideBedroom = 5, kHideDrawingRoom = 6;
inline constexpr CardId kStrongDrawingRoom = 9, kStrongDrawingRoom2 = 10, kStrongKitchen = 11,
                        kStrongLibrary = 13, kStrongBedroom = 15;
inline constexpr CardId kWeak = 17, kWeak2 = 18, kWeak3 = 19, kWeak4 = 20;
inline constexpr CardId kStrongDefence = 25, kStrongDefence2 = 26, kWeakDefence = 33,
                        kWeakDefence2 = 34;
}  // namespace cards

struct HandBuiltGame {
  HandBuiltGame() {
    game.roster = initial_roster(game.random);
    for (Character& character : game.roster) character.temper = Temper::Calm;
    std::iota(game.succession.line.begin(), game.succession.line.end(), CharacterId{0});
  }

  Character& who(int c) { return game.at(static_cast<CharacterId>(c)); }
  bool alive(int c) { return who(c).alive; }
  // Dead on an earlier night: no room, no choice.
  void dead(int c) { who(c).alive = false; }
  void place(int c, Room room) {
    who(c).room = room;
    game.rooms.in(room).push_back(static_cast<CharacterId>(c));
  }
  // c plays card from slot 0 at target, keeping `kept` in slot 1.
  void play(int c, CardId card, std::optional<int> target = {}, CardId kept = kNoCard) {
    who(c).hand = {card, kept};
    who(c).chosen_slot = 0;
    if (target) who(c).target = static_cast<CharacterId>(*target);
  }
  // Today's turn order as given, each placed in the drawing room unless placed already.
  void turns(std::initializer_list<int> order) {
    game.turns.clear();
    for (int c : order) {
      game.turns.push_back(static_cast<CharacterId>(c));
      if (!who(c).room) place(c, Room::DrawingRoom);
    }
    game.turn = 0;
  }

  Game game;
};

}  // namespace fortuna::testing
