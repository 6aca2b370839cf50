// A style plugin that the end-to-end tests load into the real program through Qt's own
// plugin path. It answers every message box and folder picker, writing down what each
// showed, and keeps a snapshot of the main window's state in a file.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QProxyStyle>
#include <QSaveFile>
#include <QStyleFactory>
#include <QStylePlugin>
#include <QTimer>

namespace {

QString oneLine(QString text) {
  text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  return text;
}

class Probe : public QObject {
 public:
  Probe() : QObject(qApp) {
    qApp->installEventFilter(this);
    connect(&snapshots_, &QTimer::timeout, this, [this] { snapshot(); });
    snapshots_.start(50);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    if (auto* box = qobject_cast<QMessageBox*>(watched)) {
      log(QStringLiteral("box|%1|%2|%3")
              .arg(int(box->icon()))
              .arg(box->windowTitle(), oneLine(box->text())));
      QTimer::singleShot(0, box, [box] {
        QAbstractButton* button = box->button(QMessageBox::Ok);
        if (button == nullptr) button = box->button(QMessageBox::No);
        if (button != nullptr) button->click();
      });
    } else if (auto* picker = qobject_cast<QFileDialog*>(watched)) {
      const QWidget* owner = picker->parentWidget();
      log(QStringLiteral("picker|owner visible=%1").arg(owner != nullptr && owner->isVisible()));
      QTimer::singleShot(0, picker, [picker] { picker->reject(); });
    }
    return false;
  }

 private:
  static void log(const QString& line) {
    QFile file(qEnvironmentVariable("FERROWICK_E2E_LOG"));
    if (file.open(QIODevice::Append | QIODevice::Text)) file.write((line + "\n").toUtf8());
  }

  static void snapshot() {
    QStringList lines;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<QMainWindow*>(top);
      if (window == nullptr) continue;
      lines << QStringLiteral("window|visible=%1|minimized=%2")
                   .arg(window->isVisible())
                   .arg(window->isMinimized());
      for (auto* edit : window->findChildren<QLineEdit*>()) lines << "text|" + edit->text();
      for (auto* list : window->findChildren<QListWidget*>()) {
        for (int row = 0; row < list->count(); ++row) lines << "list|" + list->item(row)->text();
      }
      for (auto* box : window->findChildren<QCheckBox*>()) {
        lines << QStringLiteral("check|%1|%2").arg(box->text()).arg(int(box->checkState()));
      }
    }
    QSaveFile file(qEnvironmentVariable("FERROWICK_E2E_STATE"));
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write((lines.join('\n') + '\n').toUtf8());
    file.commit();
  }

  QTimer snapshots_;
};

class ProbeStyle : public QProxyStyle {
 public:
  ProbeStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
    static Probe* probe = new Probe;
    (void)probe;
  }
};

}  // namespace

class ProbePlugin : public QStylePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QStyleFactoryInterface_iid FILE "probe.json")

 public:
  QStyle* create(const QString& key) override {
    return key == QLatin1String("ferrowick-e2e-probe") ? new ProbeStyle : nullptr;
  }
};

#include "ProbeStyle.moc"
