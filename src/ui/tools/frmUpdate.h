#pragma once

#include <QWidget>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "runtime/net/HttpTransfer.h"
#include "ui/host/controls/QtButton.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtProgressBar.h"
#include "ui/host/controls/QtTimer.h"
#include "ui/tools/WindowContext.h"

namespace ferrowick::ui {

// What the update windows work with, handed in by whoever creates them.
struct frmUpdateContext : WindowContext {
  // Makes the window's own transfer control.
  std::function<std::unique_ptr<runtime::HttpTransfer>()> newTransfer;
  // The version file on the maker's web server.
  std::string versionFileUrl;
  // Opens the update web page of the stored language.
  std::function<void()> openUpdatePage;
  // How long the transfer may take before it counts as failed.
  std::chrono::milliseconds requestTimeout{std::chrono::seconds(60)};
};

// The version file holds one short version text; anything longer is no version file.
inline constexpr std::size_t kMaxVersionFile = 64 * 1024;

// True when `remote` sorts after `local` character code by character code; of two texts
// where one begins the other, the longer sorts after.
bool isNewerVersion(const std::string& remote, const std::string& local);

// The manual update check: a small modeless window owned by the main window. Its first
// tick of `Timer1` fetches the version file and answers with a message box; the bar
// fills on its own clock whatever the transfer does. Closing it in any way cancels the
// transfer, and a check cut short by a close says nothing afterwards.
//
// One instance serves the whole program: create it once (owned by the main window) and
// call Show() from every opener. Destroy it only from the outermost event loop (its
// owner's destruction or deleteLater), never from a handler that may run while a check
// waits for the network.
class frmUpdate : public QWidget {
 public:
  frmUpdate(frmUpdateContext context, QWidget* owner);
  ~frmUpdate() override;

  // Loads the window when it is not loaded (a new check follows), then shows it and
  // brings it forward; an open window is only brought forward.
  void Show();
  bool loaded() const { return loaded_; }

  void Form_Load();
  void Timer1_Timer();
  void Timer2_Timer();
  void cmdCanc_Click();
  void Form_Unload();

  // HTTP GET of `Page`: true when the status code is 200, and then `ReturnTo` holds the
  // whole body; otherwise `ReturnTo` is left as it was.
  bool Pobierz(const std::string& Page, std::string& ReturnTo);

  runtime::HttpTransfer& Inet() { return *Inet_; }

  // Set at the start of each check.
  std::string UpdateUrl;
  std::string LocalVersion;

 private:
  frmUpdateContext context_;

 public:
  QtLabel lblInfo_{this};
  QtProgressBar PB1_{this, 0, 100};
  QtButton cmdCanc_{this};
  QtTimer Timer1_{900, false};
  QtTimer Timer2_{700, false};

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void closeWindow();
  void unload();
  void layOut();

  std::unique_ptr<runtime::HttpTransfer> Inet_;
  bool loaded_ = false;
  bool checkStarted_ = false;
  // Counts loads, so a check that outlives its load knows it has been left behind.
  unsigned loads_ = 0;
};

}  // namespace ferrowick::ui
