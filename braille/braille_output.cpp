#include "braille/braille_output.h"

#include <utility>

namespace fortuna {

BrailleOutput::BrailleOutput(BrailleDisplay& display, Translator translate)
    : display_(display), view_(std::move(translate)) {}

void BrailleOutput::show(std::string_view utf8) {
  follow_width();
  view_.show(utf8);
  draw();
}

std::optional<Key> BrailleOutput::poll() {
  follow_width();
  while (auto command = display_.next_command()) {
    if (auto key = on_command(*command)) return key;
  }
  return std::nullopt;
}

std::optional<Key> BrailleOutput::on_command(const BrailleCommand& command) {
  std::optional<Key> key = view_.handle(command);
  draw();
  return key;
}

void BrailleOutput::follow_width() {
  const std::size_t width = display_.cells();
  if (width == width_) return;
  width_ = width;
  view_.set_width(width);
  // A display that comes (back) gets the window whatever was drawn before.
  drawn_.reset();
  draw();
}

void BrailleOutput::draw() {
  if (width_ == 0 || view_.window() == drawn_.value_or(U"")) return;
  drawn_ = view_.window();
  display_.write(to_utf8(*drawn_));
}

}  // namespace fortuna
