// The main window: a game, from the new game to its end, driven by key-downs.
#pragma once

#include <cstdint>
#include <string>

#include "model/game_state.h"
#include "model/roster.h"
#include "model/types.h"

namespace fortuna {

class Program;

class MainWindow : public GameState {
 public:
  explicit MainWindow(Program& program);

  // The window's load: a new game (also run again by "1" after the end).
  void Form_Load();
  // The whole game runs in here; KeyCode may be set to 0 to swallow the key.
  void Form_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);

  // Deck.
  void CargaDatos();
  void AgregaCarta(const std::string& texto, std::int16_t tipo, Bool16 con_objetivo,
                   std::int32_t sala);
  std::string NombreCarta(std::int16_t n) const;

  // The day.
  void IniciaDia();
  void AsignaSalas(Bool16 Inicio);
  void SeleccionaCartas(Bool16 Inicio);
  void ResuelveDia();
  void AnunciaMuerte(std::int16_t victim, const Jugadas& jugadas);
  void FinPartida(std::int16_t Motivo, std::int16_t Ganador);

  // A person's answers: a room digit (phase 2), a card digit (phase 3), a target digit (31).
  void room_key(int digit);
  void card_key(int digit, std::int16_t Shift);
  void target_key(int digit);
  // The target list, spoken again from Objetivos.
  void speak_target_list();
  // Where character c is, who is with it, its cards and the card question.
  std::string situation_text(int c) const;

  Roster& Personajes;

 private:
  void Habla(const std::string& texto, Bool16 EsperarAntes = kFalse,
             Bool16 EsperarDespues = kFalse);
  void set_label(const std::string& caption);
  void beep();

  Program& program_;
};

}  // namespace fortuna
