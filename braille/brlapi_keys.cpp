#include "braille/brlapi_keys.h"

#include <brlapi.h>

namespace fortuna {

namespace {

std::optional<BrailleCommand::Kind> plain_command(brlapi_keyCode_t command) {
  using Kind = BrailleCommand::Kind;
  switch (command) {
    case BRLAPI_KEY_CMD_FWINRT:
    case BRLAPI_KEY_CMD_FWINRTSKIP:
      return Kind::PanForward;
    case BRLAPI_KEY_CMD_FWINLT:
    case BRLAPI_KEY_CMD_FWINLTSKIP:
      return Kind::PanBack;
    case BRLAPI_KEY_CMD_LNUP:
    case BRLAPI_KEY_CMD_PRDIFLN:
      return Kind::LineUp;
    case BRLAPI_KEY_CMD_LNDN:
    case BRLAPI_KEY_CMD_NXDIFLN:
      return Kind::LineDown;
    case BRLAPI_KEY_CMD_TOP:
    case BRLAPI_KEY_CMD_TOP_LEFT:
      return Kind::Top;
    case BRLAPI_KEY_CMD_BOT:
    case BRLAPI_KEY_CMD_BOT_LEFT:
    case BRLAPI_KEY_CMD_HOME:  // "back to the cursor": the newest text is where the game is
      return Kind::Bottom;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<BrailleCommand> command_from_brlapi(std::uint64_t code) {
  const brlapi_keyCode_t type = code & BRLAPI_KEY_TYPE_MASK;
  if (type == BRLAPI_KEY_TYPE_SYM) {
    // Keysyms for Latin-1 are the characters themselves: a digit typed on the display.
    const auto symbol = static_cast<int>(code & BRLAPI_KEY_CODE_MASK);
    if (symbol >= '0' && symbol <= '9')
      return BrailleCommand{BrailleCommand::Kind::Character, symbol};
    return std::nullopt;
  }
  if (type != BRLAPI_KEY_TYPE_CMD) return std::nullopt;
  const brlapi_keyCode_t block = code & BRLAPI_KEY_CMD_BLK_MASK;
  const auto argument = static_cast<int>(code & BRLAPI_KEY_CMD_ARG_MASK);
  if (block == BRLAPI_KEY_CMD_ROUTE) return BrailleCommand{BrailleCommand::Kind::Route, argument};
  if (block != 0) return std::nullopt;
  if (auto kind = plain_command(code & BRLAPI_KEY_CODE_MASK)) return BrailleCommand{*kind, 0};
  return std::nullopt;
}

}  // namespace fortuna
