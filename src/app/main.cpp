#include <QApplication>

#include "ui/host/QtHost.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  ferrowick::ui::QtHost host;
  return 0;
}
