#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::IniciaDia() {}
void MainWindow::AnunciaMuerte(std::int16_t, const Jugadas&) {}
}  // namespace fortuna
