#include "ui/host/QtHost.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>
#include <ctime>

#include "ui/host/FolderStart.h"

namespace ferrowick::ui {

namespace {
QMessageBox::Icon iconFor(runtime::MsgIcon icon) {
  switch (icon) {
    case runtime::MsgIcon::Critical:
      return QMessageBox::Critical;
    case runtime::MsgIcon::Question:
      return QMessageBox::Question;
    case runtime::MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case runtime::MsgIcon::Information:
      return QMessageBox::Information;
    case runtime::MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// Wide enough for its caption in the title bar, however short the text. The room is the
// text column's least width, so the box still measures and wraps a long text itself (a
// least width on the label would stand in for the text's own width, and cut it).
void keepCaptionRoom(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  QLabel* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (grid == nullptr || label == nullptr) return;
  const int index = grid->indexOf(label);
  if (index < 0) return;
  int row = 0, column = 0, rows = 0, columns = 0;
  grid->getItemPosition(index, &row, &column, &rows, &columns);
  grid->setColumnMinimumWidth(column,
                              16 * label->fontMetrics().horizontalAdvance(QLatin1Char('M')));
}
}  // namespace

QString displayText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QChar('\r'), QChar('\n'));
  return shown;
}

// A box belongs to the window the user is working in: it comes up over that window and
// raises no other window with it. The owner may go while the box is open, and take the box.
runtime::MsgAnswer QtMessageBoxes::show(const std::string& text, runtime::MsgStyle style,
                                        const std::string& caption) {
  QWidget* owner = QApplication::activeWindow();
  if (owner == nullptr) owner = parent_;
  QPointer<QMessageBox> box(new QMessageBox(iconFor(style.icon), QString::fromStdString(caption),
                                            displayText(text), QMessageBox::NoButton, owner));
  keepCaptionRoom(*box);
  const bool yesNo = style.buttons == runtime::MsgButtons::YesNo;
  if (yesNo) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
  }
  const int chosen = box->exec();
  delete box.data();
  if (!yesNo) return runtime::MsgAnswer::Ok;
  return chosen == QMessageBox::Yes ? runtime::MsgAnswer::Yes : runtime::MsgAnswer::No;
}

void QtEventLoop::yield() {
  if (processed_ && now_() - *processed_ < kInterval) return;
  QApplication::processEvents();
  processed_ = now_();
}

runtime::DateTime SystemClock::now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

void QtBusyPointer::setBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

int QtShell::open(const std::string& target) {
  const QString text = QString::fromStdString(target);
  const QUrl url = text.contains(QStringLiteral("://")) ? QUrl(text) : QUrl::fromLocalFile(text);
  if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return 2;  // file not found
  return QDesktopServices::openUrl(url) ? 42 : 31;
}

std::string QtFolderPicker::browse(const std::string& title, const std::string& startFolder) {
  const QString chosen = QFileDialog::getExistingDirectory(
      parent_, QString::fromStdString(title),
      existingFolderToStartIn(QString::fromStdString(startFolder)), QFileDialog::ShowDirsOnly);
  return QDir::toNativeSeparators(chosen).toStdString();
}

QtHost::QtHost() : host_{messages, loop, clock, pointer, shell, folders} {}

void QtHost::setMainWindow(QWidget* window) {
  messages.setParent(window);
  folders.setParent(window);
}

}  // namespace ferrowick::ui
