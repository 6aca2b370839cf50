#include "ui/tools/frmUpdate.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <exception>

#include "runtime/App.h"
#include "runtime/Host.h"
#include "services/modLanguage.h"
#include "ui/host/controls/Fire.h"
#include "ui/tools/ToolWindow.h"

namespace ferrowick::ui {

using services::Text;

namespace {
// The status code is the text between the first and the second single space.
bool statusIs200(const std::string& header) {
  const std::string statusLine = header.substr(0, header.find("\r\n"));
  const std::size_t first = statusLine.find(' ');
  if (first == std::string::npos) return false;
  const std::size_t second = statusLine.find(' ', first + 1);
  const std::size_t length = second == std::string::npos ? std::string::npos : second - first - 1;
  return statusLine.substr(first + 1, length) == "200";
}
}  // namespace

bool isNewerVersion(const std::string& remote, const std::string& local) {
  return remote.compare(local) > 0;
}

frmUpdate::frmUpdate(frmUpdateContext context, QWidget* owner)
    : QWidget(owner, Qt::Dialog), context_(std::move(context)), Inet_(context_.newTransfer()) {
  // A tool window never decides on its own that the program has ended.
  setAttribute(Qt::WA_QuitOnClose, false);
  Timer1_.onTimer = [this] { Timer1_Timer(); };
  Timer2_.onTimer = [this] { Timer2_Timer(); };
  cmdCanc_.onClick = [this] { cmdCanc_Click(); };
  layOut();
}

frmUpdate::~frmUpdate() { Inet_->cancel(); }

void frmUpdate::layOut() {
  auto* rows = new QVBoxLayout(this);
  rows->setSizeConstraint(QLayout::SetFixedSize);
  lblInfo_.widget().setWordWrap(true);
  lblInfo_.widget().setMinimumWidth(320);
  rows->addWidget(&lblInfo_.widget());
  rows->addWidget(&PB1_.widget());
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  cmdCanc_.widget().setMinimumWidth(96);
  buttons->addWidget(&cmdCanc_.widget());
  rows->addLayout(buttons);
}

void frmUpdate::Show() {
  if (!loaded_) Form_Load();
  bringForward(*this);
}

void frmUpdate::Form_Load() {
  ++loads_;
  loaded_ = true;
  checkStarted_ = false;
  setWindowTitle(QString::fromStdString(context_.app.title()));
  lblInfo_.setCaption(context_.lang.text(Text::CheckingForUpdate));
  cmdCanc_.setCaption(context_.lang.text(Text::Cancel));
  PB1_.setValue(0);
  Timer1_.setEnabled(true);
  Timer2_.setEnabled(true);
}

void frmUpdate::Timer1_Timer() {
  // One check per load: later ticks, and ticks while a check waits, start nothing.
  Timer1_.setEnabled(false);
  if (!loaded_ || checkStarted_) return;
  checkStarted_ = true;
  const unsigned load = loads_;

  LocalVersion = context_.app.versionText();
  UpdateUrl = context_.versionFileUrl;
  std::string remoteVersion;
  const bool fetched = Pobierz(UpdateUrl, remoteVersion);
  // Editors end a saved file with a line break; it is no part of the version.
  while (!remoteVersion.empty() && (remoteVersion.back() == '\n' || remoteVersion.back() == '\r'))
    remoteVersion.pop_back();
  const bool newer = fetched && isNewerVersion(remoteVersion, LocalVersion);
  // The window was closed while the answer was awaited: the user has cancelled.
  if (!loaded_ || loads_ != load) return;

  runtime::MessageBoxes& boxes = context_.host.messages;
  if (newer) {
    const runtime::MsgAnswer answer =
        boxes.show(context_.lang.text(Text::NewerVersionAvailable),
                   runtime::MsgButtons::YesNo | runtime::MsgIcon::Question, context_.app.title());
    if (answer == runtime::MsgAnswer::Yes) context_.openUpdatePage();
  } else {
    boxes.show(context_.lang.text(Text::NoNewerVersion), runtime::MsgIcon::Information,
               context_.app.title());
  }
  if (loaded_ && loads_ == load) closeWindow();
}

bool frmUpdate::Pobierz(const std::string& Page, std::string& ReturnTo) {
  // Whatever goes wrong on the way is a failed download, never an error for the check.
  try {
    Inet_->get(Page, context_.requestTimeout, kMaxVersionFile);
    do {
      context_.host.loop.yield();
    } while (Inet_->stillExecuting());
    const std::optional<std::string> body = Inet_->body();
    if (!body || !statusIs200(Inet_->header())) return false;
    ReturnTo = *body;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// The bar keeps its own clock: ten equal steps, then it stays full.
void frmUpdate::Timer2_Timer() {
  if (PB1_.value() >= 100) {
    Timer2_.setEnabled(false);
  } else {
    PB1_.setValue(PB1_.value() + 10);
  }
}

void frmUpdate::cmdCanc_Click() {
  Timer1_.setEnabled(false);
  Timer2_.setEnabled(false);
  closeWindow();
}

void frmUpdate::Form_Unload() { Inet_->cancel(); }

void frmUpdate::closeEvent(QCloseEvent* event) {
  fire([this] { unload(); });
  event->accept();
}

void frmUpdate::closeWindow() {
  unload();
  hide();
}

// Every way of closing ends here: the timers stop with the window and the transfer ends.
void frmUpdate::unload() {
  if (!loaded_) return;
  loaded_ = false;
  Timer1_.setEnabled(false);
  Timer2_.setEnabled(false);
  Form_Unload();
}

}  // namespace ferrowick::ui
