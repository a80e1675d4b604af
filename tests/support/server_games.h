// Seated games for the server's tests: keys people at seats would press, the same game as a key
// script for the headless program, each seat's stream in its transcript and at the server, and
// everyone seated at one table.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/clock.h"
#include "data/keys.h"
#include "server/network.h"
#include "support/protocol_person.h"

namespace fortuna::testing {

struct SeatedGame {
  TimeOfDay clock;
  std::vector<int> seats;                 // characters, 0 to 9
  std::vector<std::pair<int, Key>> keys;  // from which character
  // The first seat's new name, given on the start screen or by a request.
  std::string rename = "Doña Ñandú";
};

std::string clock_text(TimeOfDay time);
// Keys people at these seats would press, found by playing them on a seated game here.
// The clock is the seed's own unless given.
SeatedGame make_game(std::uint64_t seed, std::vector<int> seats, int most_keys,
                     std::optional<TimeOfDay> clock = std::nullopt);
std::string script_of(const SeatedGame& game);
// A seat's stream in a transcript (0: an onlooker's), from the game's window on, as
// "text|wait|audience|seat".
std::vector<std::string> transcript_stream(const std::vector<Json>& events, int seat);
// What a person heard from the text start on, in the same form.
std::vector<std::string> server_stream(const ProtocolPerson& person, const std::string& start);
// Everyone seated at one table, its creator first and an onlooker last; started.
std::vector<std::unique_ptr<ProtocolPerson>> seat_everyone(unsigned short port,
                                                           const SeatedGame& game,
                                                           const std::string& table = "Mesa");
// Tests press keys far faster than people do.
NetworkSettings quick();

}  // namespace fortuna::testing
