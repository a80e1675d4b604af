#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::SeleccionaCartas(Bool16) {}
}  // namespace fortuna
