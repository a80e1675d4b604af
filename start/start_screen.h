// The first window: who plays which character, names, rate and voice, then the game.
#pragma once

#include <cstdint>

namespace fortuna {

class Program;

class StartScreen {
 public:
  explicit StartScreen(Program& program) : program_(program) {}

  void Form_Load();
  void Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);

  std::int16_t PosicionLista = 1;

 private:
  void announce_current(bool wait_before);
  void rename_current();

  Program& program_;
};

}  // namespace fortuna
