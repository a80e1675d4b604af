// The braille display as a front end holds it: every text the player may hear goes to show(),
// and the display's commands come back from poll() as the digit keys the game should get.
// Panning and the history are dealt with here, never reaching the game.
//
// In a front end's loop:
//   BrlapiDisplay display;                   // connects in the background
//   BrailleOutput braille(display);
//   ... wait on braille.wait_handle() beside the keyboard; whenever it is readable, and after
//   ... each text: while (auto key = braille.poll()) game.press(*key);
//   ... and braille.show(text) for each text said.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "braille/braille_view.h"
#include "braille/display.h"
#include "data/keys.h"

namespace fortuna {

class BrailleOutput {
 public:
  // The display must outlive this.
  explicit BrailleOutput(BrailleDisplay& display, Translator translate = uncontracted);

  void show(std::string_view utf8);
  // The next digit key the display asks for; the display's other commands are done on the way.
  // Nothing once no command waits. Also redraws when the display's width changed.
  std::optional<Key> poll();
  // One command, as poll() does with each.
  std::optional<Key> on_command(const BrailleCommand& command);
  int wait_handle() const { return display_.wait_handle(); }

  const BrailleView& view() const { return view_; }

 private:
  void follow_width();
  void draw();

  BrailleDisplay& display_;
  BrailleView view_;
  std::size_t width_ = 0;
  std::optional<std::u32string> drawn_;  // nothing since the display came
};

}  // namespace fortuna
