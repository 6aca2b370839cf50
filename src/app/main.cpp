#include "app/Program.h"

int main(int argc, char* argv[]) {
  ferrowick::app::Program program(argc, argv);
  return program.run();
}
