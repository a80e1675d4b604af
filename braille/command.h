// What the player asks of the display with its own keys, whatever the display's make.
#pragma once

namespace fortuna {

struct BrailleCommand {
  enum class Kind {
    PanForward,  // the rest of a long text
    PanBack,
    LineUp,  // the text before, in the history
    LineDown,
    Top,        // the oldest text kept
    Bottom,     // the newest text
    Route,      // a routing key; argument: its cell, 0 the leftmost
    Character,  // a character typed on the display's keyboard; argument: its code point
  };
  Kind kind = Kind::PanForward;
  int argument = 0;
  bool operator==(const BrailleCommand&) const = default;
};

}  // namespace fortuna
