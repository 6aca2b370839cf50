#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "ui/host/controls/QtButton.h"
#include "ui/host/controls/QtImage.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtWindow.h"
#include "ui/tools/WindowContext.h"

namespace ferrowick::services {
class modLinki;
}  // namespace ferrowick::services

namespace ferrowick::ui {

// What the About box works with, handed in by whoever opens it.
struct FrmAboutContext : WindowContext {
  services::modLinki& links;
};

// The About box: product, version, notice, maker, author, computer name, and links to
// the maker's pages. Closing it destroys it; the next opening loads it afresh.
class FrmAbout : public QWidget {
 public:
  // Builds and loads the window, owned by `owner`; Show() puts it on the screen.
  FrmAbout(QWidget* owner, FrmAboutContext context);

  // Shows the window modeless, or brings it forward when it is shown already.
  void Show();

  void Form_Load();
  void Form_MouseMove();
  void Command3_Click();
  void Label1_Click();
  void Label14_Click();
  void Label15_Click();
  void Label16_Click();
  void Label17_Click();
  void Label14_MouseMove();
  void Label15_MouseMove();
  void Label16_MouseMove();
  void Label17_MouseMove();

  // Read-only facts about the running program; nothing in the program reads them.
  static std::string UserName();
  static long ThreadID();
  static long ProcessId();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  FrmAboutContext context_;

  void hover(QtLabel& link);
  void wire();
  void layOut();

 public:
  QtWindow form_{*this};
  QtImage Image4_{this};
  QtLabel Label88_{this};
  QtLabel Label86_{this};
  QtLabel Label1_{this};
  QtLabel Label84_{this};
  QtLabel Label81_{this};
  QtLabel Label14_{this};
  QtLabel Label79_{this};
  QtLabel Label78_{this};
  QtLabel Label5_{this};
  QtLabel Label4_{this};
  QtLabel Label6_{this};
  QtLabel Label7_{this};
  QtLabel Label15_{this};
  QtLabel Label8_{this};
  QtLabel Label16_{this};
  QtLabel Label9_{this};
  QtLabel Label17_{this};
  QtButton Command3_{this};

  // The link group, whose underline follows the pointer.
  std::array<QtLabel*, 4> links() { return {&Label14_, &Label15_, &Label16_, &Label17_}; }
};

}  // namespace ferrowick::ui
