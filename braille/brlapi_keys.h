// BrlAPI's key codes, as brltty sends them in tty mode, turned into the game's display commands.
#pragma once

#include <cstdint>
#include <optional>

#include "braille/display.h"

namespace fortuna {

// Nothing for the keys the game has no use for.
std::optional<BrailleCommand> command_from_brlapi(std::uint64_t code);

}  // namespace fortuna
