// Loaded into the real program as a style plugin: answers and logs every message box and
// keeps a snapshot of the main window's state in a file.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QSaveFile>
#include <QStyleFactory>
#include <QStylePlugin>
#include <QTimer>

namespace {

const QString kFiles = qEnvironmentVariable("FERROWICK_E2E_FILES");

class Probe : public QObject {
 public:
  Probe() : QObject(qApp) {
    qApp->installEventFilter(this);
    connect(&snapshots_, &QTimer::timeout, this, &Probe::snapshot);
    snapshots_.start(50);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (box == nullptr || event->type() != QEvent::Show) return false;
    QFile log(kFiles + ".log");
    if (log.open(QIODevice::Append))
      log.write(
          QStringLiteral("box|%1|%2|%3\n")
              .arg(int(box->icon()))
              .arg(box->windowTitle(), box->text().replace(QLatin1Char('\n'), QLatin1String("\\n")))
              .toUtf8());
    QTimer::singleShot(0, box, [box] {
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      if (QAbstractButton* button = ok != nullptr ? ok : box->button(QMessageBox::No))
        button->click();
    });
    return false;
  }

 private:
  static void snapshot() {
    QStringList lines;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<QMainWindow*>(top);
      if (window == nullptr) continue;
      lines << QStringLiteral("window|visible=%1|minimized=%2")
                   .arg(window->isVisible())
                   .arg(window->isMinimized());
      for (auto* list : window->findChildren<QListWidget*>()) {
        for (int row = 0; row < list->count(); ++row) lines << "list|" + list->item(row)->text();
      }
      for (auto* box : window->findChildren<QCheckBox*>()) {
        lines << QStringLiteral("check|%1|%2").arg(box->text()).arg(int(box->checkState()));
      }
    }
    QSaveFile file(kFiles + ".state");
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write((lines.join('\n') + '\n').toUtf8());
    file.commit();
  }

  QTimer snapshots_;
};

}  // namespace

class ProbePlugin : public QStylePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QStyleFactoryInterface_iid FILE "probe.json")

 public:
  QStyle* create(const QString&) override {
    [[maybe_unused]] static const Probe* probe = new Probe;
    return QStyleFactory::create(QStringLiteral("Fusion"));
  }
};

#include "ProbeStyle.moc"
