#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::Form_Load() {}
void MainWindow::CargaDatos() {}
void MainWindow::AgregaCarta(const std::string&, std::int16_t, Bool16, std::int32_t) {}
std::string MainWindow::NombreCarta(std::int16_t) const {
  return {};
}
}  // namespace fortuna
