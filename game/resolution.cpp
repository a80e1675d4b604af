#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::ResuelveDia() {}
}  // namespace fortuna
