#include "ui/tools/frmAutoUpd.h"

namespace ferrowick::ui {

namespace {
// Far off to the left of any screen, in pixels (40000 twips).
constexpr int kOffScreenLeft = -40000 / 15;
}  // namespace

frmAutoUpd::frmAutoUpd(std::unique_ptr<runtime::HttpTransfer> Inet, QWidget* owner)
    : QWidget(owner, Qt::Tool), Inet_(std::move(Inet)) {
  setAttribute(Qt::WA_QuitOnClose, false);
  Timer1_.onTimer = [this] { Timer1_Timer(); };
}

frmAutoUpd::~frmAutoUpd() { Form_Unload(); }

frmAutoUpd* frmAutoUpd::LoadHidden(std::unique_ptr<runtime::HttpTransfer> Inet, QWidget* owner) {
  auto* form = new frmAutoUpd(std::move(Inet), owner);
  form->Form_Load();
  return form;
}

// Even if it were shown, it would lie off-screen with no size.
void frmAutoUpd::Form_Load() {
  setGeometry(kOffScreenLeft, 0, 0, 0);
  Timer1_.setEnabled(true);
}

void frmAutoUpd::Form_Unload() { Inet_->cancel(); }

}  // namespace ferrowick::ui
