// The program and help menus: the tool windows, the documents and the maker's pages.
#include "runtime/Host.h"
#include "ui/main/frmMain.h"
#include "ui/tools/ToolWindow.h"

namespace ferrowick::ui {

void frmMain::qwe_Click() {
  openToolWindow(md5_, this,
                 frmMd5Context{context_.app, context_.host.messages, context_.host.pointer,
                               context_.lang, context_.files});
}

void frmMain::oprog_Click() {
  openToolWindow(about_, this, FrmAboutContext{context_.app, context_.lang, links_});
}

void frmMain::sprupd_Click() { openUpdateWindow(); }

void frmMain::read1_Click() { links_.OpenReadme(); }
void frmMain::licen1_Click() { links_.OpenLicenseAgreement(); }
void frmMain::stww_Click() { links_.OpenHomePage(); }

void frmMain::openUpdateWindow() {
  // MERGE(update window): replace with openToolWindow(update_, this, frmUpdateContext{...});
}

}  // namespace ferrowick::ui
