#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::AsignaSalas(Bool16) {}
void MainWindow::room_key(int) {}
}  // namespace fortuna
