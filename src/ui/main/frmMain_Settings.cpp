// The settings page, the information page's log button and the update link.
#include <QSignalBlocker>

#include "engine/CopyRun.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "runtime/registry/RegistryTypes.h"
#include "services/StoredLanguage.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

using services::Text;

void frmMain::wireSettingsAndMenus() {
  const auto bind = [this](void (frmMain::*handler)()) {
    return [this, handler] { (this->*handler)(); };
  };
  chkServ_.onClick = bind(&frmMain::chkServ_Click);
  Command7_.onClick = bind(&frmMain::Command7_Click);
  cmdLog_.onClick = bind(&frmMain::cmdLog_Click);
  qwe_.onClick = bind(&frmMain::qwe_Click);
  read1_.onClick = bind(&frmMain::read1_Click);
  licen1_.onClick = bind(&frmMain::licen1_Click);
  sprupd_.onClick = bind(&frmMain::sprupd_Click);
  stww_.onClick = bind(&frmMain::stww_Click);
  oprog_.onClick = bind(&frmMain::oprog_Click);
  Image2_.onClick = bind(&frmMain::Image2_Click);
  Label7_.onClick = bind(&frmMain::Label7_Click);
  Image2_.onMouseMove = [this] { Image2_MouseMove(); };
  Label7_.onMouseMove = [this] { Label7_MouseMove(); };
  Timer3_.onTimer = bind(&frmMain::Timer3_Timer);
}

// Runs on every change of the box, the settings load's included, so a start with the
// setting on writes the entry again. The entry starts this very executable. A change
// that cannot be stored is said so, and the box goes back to what is stored: unticked
// after a failed write, ticked while an entry that could not be deleted still starts
// the program at log-on.
void frmMain::chkServ_Click() {
  const std::string& name = context_.app.title();
  const bool ticked = chkServ_.value() != runtime::CheckState::Unchecked;
  context_.store.clearWriteError();
  if (ticked) {
    runKey_.SaveRegString(runtime::HKEY_LOCAL_MACHINE, runtime::kRunKeyPath, name,
                          context_.app.path() + "/" + context_.app.exeName());
  } else {
    runKey_.DeleteRegValue(runtime::HKEY_LOCAL_MACHINE, runtime::kRunKeyPath, name);
  }
  if (!reportUnstored()) return;
  // Putting the box back asks for no change of the entry.
  const QSignalBlocker quiet(&chkServ_.widget());
  chkServ_.setValue(ticked ? runtime::CheckState::Unchecked : runtime::CheckState::Checked);
}

// The new language takes effect at the next start, which the message says only once it
// is stored; nothing is reloaded now.
void frmMain::Command7_Click() {
  context_.store.clearWriteError();
  services::storeLanguage(context_.registry, context_.app.title(), optLang_.text());
  if (reportUnstored()) return;
  context_.host.messages.show(context_.lang.text(Text::LanguageAtRestart),
                              runtime::MsgIcon::Information, context_.app.title());
}

bool frmMain::reportUnstored() {
  const std::optional<runtime::RuntimeError>& error = context_.store.writeError();
  if (!error) return false;
  criticalBox(error->number(), error->description());
  return true;
}

// Without a log there is nothing to show: the desktop's handler is not asked to open a
// missing file, which it would report in a window of its own.
void frmMain::cmdLog_Click() {
  try {
    const std::string log = engine::CopyRun::LogPath();
    if (context_.fs.fileExists(log)) context_.host.shell.open(log);
  } catch (const runtime::RuntimeError&) {
    // No application-data folder: no log either.
  }
}

void frmMain::Image2_Click() { openUpdateWindow(); }
void frmMain::Label7_Click() { openUpdateWindow(); }

// Only the pointer changes over the update link; nothing is underlined.
void frmMain::Image2_MouseMove() { Image2_.widget().setCursor(Qt::PointingHandCursor); }
void frmMain::Label7_MouseMove() { Label7_.widget().setCursor(Qt::PointingHandCursor); }

}  // namespace ferrowick::ui
