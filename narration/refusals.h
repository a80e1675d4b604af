// Why a table or the server refuses a request, as the code a client reads and the sentence its
// person hears; and why the server says goodbye.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fortuna {

enum class Refusal : std::uint8_t {
  HelloFirst,
  HelloAgain,
  Version,
  Malformed,
  UnknownType,
  TooLarge,
  Flood,
  TooManyConnections,
  BadName,
  UnknownToken,
  NoSuchTable,
  TableExists,
  NotAtTable,
  AlreadyAtTable,
  Onlooker,
  Taken,
  NotYours,
  NoCharacter,
  NotCreator,
  Started,
  NotStarted,
  BadKey,
  NobodyPlays,
  TableFull,
  ServerFull,
  Unavailable,
};

std::string_view refusal_code(Refusal refusal);
std::string refusal_text(Refusal refusal);
// Taken, with whom it is taken by.
std::string taken_by(const std::string& holder);

enum class Goodbye : std::uint8_t { ServerStopping, Replaced, TooSlow };
std::string_view goodbye_reason(Goodbye goodbye);
std::string goodbye_text(Goodbye goodbye);

}  // namespace fortuna
