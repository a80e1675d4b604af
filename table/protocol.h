// What both ends of the table protocol (docs/protocol.md) agree on before any message.
#pragma once

namespace fortuna {

inline constexpr int kProtocolVersion = 1;
// Where a server listens, and a client looks, unless told.
inline constexpr unsigned short kDefaultPort = 8417;

}  // namespace fortuna
