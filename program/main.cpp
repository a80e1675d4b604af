#include "program/cli.h"

int main(int argc, char** argv) {
  return fortuna::run_command_line(argc, argv);
}
