// The terminal front end: keys read raw from the terminal the program runs in, every text one
// printed line (or spoken with --speech espeak), the status label printed on demand.
#pragma once

#include <string>

#include "run/frontend.h"

namespace fortuna {

// The keys this front end adds or reads its own way: for --help, and as said at the end of F1.
std::string terminal_keys_help();
extern const char* const kTerminalHelp;

// Chosen when nothing else was: no display to open a window on, and a person at a terminal.
bool terminal_is_the_default();

// Fails with one line when standard input is no terminal the game can be played in.
CreatedFrontend create_terminal_frontend(const Options& options, InterruptSource& interrupts);

}  // namespace fortuna
