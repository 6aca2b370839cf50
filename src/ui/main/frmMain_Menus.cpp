// The program and help menus: the tool windows, the documents and the maker's pages.
#include "runtime/Host.h"
#include "services/MakerAddress.h"
#include "ui/main/frmMain.h"
#include "ui/tools/FrmAbout.h"
#include "ui/tools/ToolWindow.h"
#include "ui/tools/frmAutoUpd.h"
#include "ui/tools/frmMd5.h"
#include "ui/tools/frmUpdate.h"

namespace ferrowick::ui {

void frmMain::qwe_Click() { openToolWindow(md5_, this, frmMd5Context{context_, context_.files}); }

void frmMain::oprog_Click() { openToolWindow(about_, this, FrmAboutContext{context_, links_}); }

void frmMain::sprupd_Click() { openUpdateWindow(); }

void frmMain::read1_Click() { links_.OpenReadme(); }
void frmMain::licen1_Click() { links_.OpenLicenseAgreement(); }
void frmMain::stww_Click() { links_.OpenHomePage(); }

// The update window is made once and stays; each opening shows it or brings it forward.
void frmMain::openUpdateWindow() {
  if (update_.isNull()) {
    update_ = new frmUpdate(frmUpdateContext{context_, context_.newTransfer,
                                             std::string(services::kMakerScheme) +
                                                 services::kMakerHost + "/updates/ferrowick.txt",
                                             [this] { links_.OpenUpdatePage(); }},
                            this);
    centreOver(*update_, this);
  }
  update_->Show();
}

void frmMain::Timer3_Timer() {
  frmAutoUpd::LoadHidden(context_.newTransfer(), this);
  Timer3_.setEnabled(false);
}

}  // namespace ferrowick::ui
