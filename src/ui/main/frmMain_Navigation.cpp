// Moving between the pages: side links, Next and Back, hover, and the page indicator.
#include "services/modLanguage.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

using services::Text;

void frmMain::wireNavigation() {
  Hyperlink1_.onClick = [this] { Hyperlink1_Click(); };
  Hyperlink2_.onClick = [this] { Hyperlink2_Click(); };
  Hyperlink3_.onClick = [this] { Hyperlink3_Click(); };
  Hyperlink4_.onClick = [this] { Hyperlink4_Click(); };
  Hyperlink5_.onClick = [this] { Hyperlink5_Click(); };
  Hyperlink6_.onClick = [this] { Hyperlink6_Click(); };
  Hyperlink7_.onClick = [this] { Hyperlink7_Click(); };
  Hyperlink1_.onMouseMove = [this] { Hyperlink1_MouseMove(); };
  Hyperlink2_.onMouseMove = [this] { Hyperlink2_MouseMove(); };
  Hyperlink3_.onMouseMove = [this] { Hyperlink3_MouseMove(); };
  Hyperlink4_.onMouseMove = [this] { Hyperlink4_MouseMove(); };
  Hyperlink5_.onMouseMove = [this] { Hyperlink5_MouseMove(); };
  Hyperlink6_.onMouseMove = [this] { Hyperlink6_MouseMove(); };
  Hyperlink7_.onMouseMove = [this] { Hyperlink7_MouseMove(); };
  Image6_.onMouseMove = [this] { Image6_MouseMove(); };
  Command6_.onClick = [this] { Command6_Click(); };
  Command3_.onClick = [this] { Command3_Click(); };
  Command5_.onClick = [this] { Command5_Click(); };
  Command4_.onClick = [this] { Command4_Click(); };
  Timer2_.onTimer = [this] { Timer2_Timer(); };
}

// Every page is set, the shown one included, so a single page stays visible whatever
// the state before.
void frmMain::showOnly(int number) {
  for (int n = 1; n <= 5; ++n) page(n).setVisible(n == number);
}

void frmMain::Hyperlink1_Click() { showOnly(1); }
void frmMain::Hyperlink2_Click() { showOnly(2); }
void frmMain::Hyperlink5_Click() { showOnly(3); }
void frmMain::Hyperlink4_Click() { showOnly(4); }
void frmMain::Hyperlink3_Click() { showOnly(5); }

// The tray icon stays and shows the window again.
void frmMain::Hyperlink7_Click() { minimiseQuietly(); }

void frmMain::Hyperlink6_Click() { context_.endProgram(); }

void frmMain::Command6_Click() {
  xt2_.setVisible(false);
  xt3_.setVisible(true);
}

void frmMain::Command3_Click() {
  xt3_.setVisible(false);
  xt4_.setVisible(true);
}

void frmMain::Command5_Click() {
  xt2_.setVisible(true);
  xt3_.setVisible(false);
}

void frmMain::Command4_Click() {
  Label10_.setCaption(context_.lang.text(Text::Ready));
  xt3_.setVisible(true);
  xt4_.setVisible(false);
}

void frmMain::hover(int link) {
  Hyperlink(link).widget().setCursor(Qt::PointingHandCursor);
  for (int n = 1; n <= 7; ++n) Hyperlink(n).setUnderline(n == link);
}

void frmMain::Hyperlink1_MouseMove() { hover(1); }
void frmMain::Hyperlink2_MouseMove() { hover(2); }
void frmMain::Hyperlink3_MouseMove() { hover(3); }
void frmMain::Hyperlink4_MouseMove() { hover(4); }
void frmMain::Hyperlink5_MouseMove() { hover(5); }
void frmMain::Hyperlink6_MouseMove() { hover(6); }
void frmMain::Hyperlink7_MouseMove() { hover(7); }

void frmMain::clearUnderlines() {
  for (int n = 1; n <= 7; ++n) Hyperlink(n).setUnderline(false);
}

void frmMain::Image6_MouseMove() { clearUnderlines(); }

void frmMain::Form_MouseMove() { clearUnderlines(); }

// Polls the pages: the bar of the last visible page in page order stays shown; with
// no page visible the bars keep their state. The bars of the last two rows are not
// page bars and are never shown.
void frmMain::Timer2_Timer() {
  for (int n = 1; n <= 5; ++n) {
    if (!page(n).visible()) continue;
    for (int bar = 1; bar <= 5; ++bar) z(bar).setVisible(bar == n);
  }
}

}  // namespace ferrowick::ui
