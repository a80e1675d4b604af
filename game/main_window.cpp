#include "game/main_window.h"

#include "game/program.h"

namespace fortuna {

MainWindow::MainWindow(Program& program) : Personajes(program.Personajes), program_(program) {}

void MainWindow::Habla(const std::string& texto, Bool16 EsperarAntes, Bool16 EsperarDespues) {
  program_.speech.Habla(texto, EsperarAntes, EsperarDespues);
}

void MainWindow::set_label(const std::string& caption) {
  program_.platform.set_label(caption);
}

void MainWindow::beep() {
  program_.platform.beep();
}

}  // namespace fortuna
