#pragma once

#include <QApplication>

namespace ferrowick::ui {

// The program's application object: every event it delivers is marked for the error
// boundary, which tells a handler the toolkit started from one that program code started.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace ferrowick::ui
