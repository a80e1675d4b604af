#include "app/command_line.h"
#include "run/standard_streams.h"

int main(int argc, char** argv) {
  fortuna::reopen_closed_standard_streams();
  return fortuna::run_command_line(argc, argv);
}
