#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::Form_KeyDown(std::int16_t&, std::int16_t) {}
}  // namespace fortuna
