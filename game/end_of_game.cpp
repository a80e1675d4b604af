#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::FinPartida(std::int16_t, std::int16_t) {}
}  // namespace fortuna
