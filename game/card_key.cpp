#include "game/main_window.h"
#include "game/program.h"

namespace fortuna {
void MainWindow::card_key(int, std::int16_t) {}
void MainWindow::target_key(int) {}
void MainWindow::speak_target_list() {}
}  // namespace fortuna
