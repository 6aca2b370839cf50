// Times a full copy run started from the real main window against the same run headless,
// so that what the window adds (its status labels set for each file, the events it
// processes between files, painting) shows as a ratio. The window is built offscreen over
// the Qt event loop and busy pointer, with scripted boxes, clock and folder picker; the
// user's steps set the sources and the destination, pick "only now" on the schedule page
// and press backup-now. Both runs keep the log on. Each kind runs once cold, then several
// times in turns into fresh destinations. Prints the figures and never fails on timing.
//
//   bench_window [files [folders [rounds [window|headless]]]]
//
// The default is 20000 files of 4 KiB in 200 folders, 8 rounds; naming one kind runs only
// that kind, for a profiler to watch.
//
// Set TMPDIR to run on tmpfs.

#include <QApplication>
#include <QtTest/QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/ScriptedHost.h"
#include "support/qt/IdleTransfer.h"
#include "ui/host/QtHost.h"
#include "ui/main/frmMain.h"

namespace {

using namespace ferrowick;
using namespace ferrowick::bench;

// The program's own event loop and pointer; nothing that would open a dialog.
struct WindowHost {
  testing::ScriptedMessageBoxes messages;
  ui::QtEventLoop loop;
  testing::ManualClock clock;
  ui::QtBusyPointer pointer;
  testing::RecordingShell shell;
  testing::ScriptedFolderPicker folders;
  runtime::Host host{messages, loop, clock, pointer, shell, folders};
};

void click(QWidget& widget) {
  QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(8, widget.height() / 2));
}

void type(QLineEdit& box, const std::string& text) {
  box.selectAll();
  QTest::keyClick(&box, Qt::Key_Backspace);
  QTest::keyClicks(&box, QString::fromStdString(text));
}

// One window, its sources and destination set by hand; `start` presses backup-now.
class WindowRun {
 public:
  WindowRun(const fs::path& work, const fs::path& tree, const fs::path& dest)
      : store_{work / "registry", work / "autostart"},
        registry_{store_},
        files_{work / "archive-window.db"},
        lang_{app_, host_.host, registry_, files_} {
    for (int n = 0; n < static_cast<int>(services::modLanguage::kEntries); ++n) {
      lang_.setText(n, "text " + std::to_string(n));
    }
    window_ = std::make_unique<ui::frmMain>(
        ui::frmMainContext{app_, host_.host, lang_, registry_, files_, [] {}, store_, dialog_,
                           [] { return std::make_unique<testing::IdleTransfer>(); }, nullptr});
    ui::frmMain& w = *window_;
    w.Form_Load();
    w.show();
    click(w.Hyperlink2_.widget());
    // The run's own refresh finds the subfolders, as the headless run's does.
    if (w.chkIncSub_.widget().isChecked()) click(w.chkIncSub_.widget());
    type(w.txtSelected_.widget(), tree.string());
    click(w.cmdAddDir_.widget());
    click(w.Command6_.widget());
    host_.folders.choose(dest.string());
    click(w.Command1_.widget());
    click(w.Command3_.widget());
    click(w.Option3_.widget());
    if (!w.chkLog_.widget().isChecked()) click(w.chkLog_.widget());
    if (w.txtDest().text() != dest.string() || w.lstSource().count() != 1 || !w.Option3().value()) {
      throw std::runtime_error("the window did not take the sources and destination");
    }
  }

  void start() {
    click(window_->cmdBakNow_.widget());
    if (!host_.messages.shown.empty()) {
      throw std::runtime_error("the window showed a message: " + host_.messages.shown[0].text);
    }
  }

 private:
  runtime::App app_{"Ferrowick", "/opt/ferrowick", "ferrowick", {1, 0, 0}, false};
  WindowHost host_;
  runtime::RegistryStore store_;
  services::modRegistry2 registry_;
  runtime::FileSystem files_;
  services::modLanguage lang_;
  testing::ScriptedFileDialog dialog_;
  std::unique_ptr<ui::frmMain> window_;
};

// Throws unless the run copied every file, so that a run cut short never counts.
void checkCopied(const fs::path& dest, int files) {
  std::size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dest)) {
    if (entry.is_regular_file()) ++count;
  }
  if (count != static_cast<std::size_t>(files)) {
    throw std::runtime_error("the run copied " + std::to_string(count) + " files");
  }
}

int argument(int argc, char** argv, int index, int fallback) {
  return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  // With no display to show it on, the window is built offscreen.
  const bool display =
      !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !display) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  const int files = argument(argc, argv, 1, 20000);
  const int folders = argument(argc, argv, 2, 200);
  const int rounds = argument(argc, argv, 3, 8);
  const std::string only = argc > 4 ? argv[4] : "";
  int qtArgc = 1;
  QApplication application(qtArgc, argv);

  int status = 0;
  fs::path work;
  try {
    work = makeScratch();
    const fs::path tree = work / "tree";
    for (int f = 0; f < files; ++f) {
      const fs::path folder = tree / ("d" + std::to_string(f % folders));
      if (f < folders) fs::create_directories(folder);
      writeBytes(folder / ("f" + std::to_string(f) + ".dat"), 4096, static_cast<unsigned>(f));
    }
    std::printf("%d files of 4 KiB in %d folders\n", files, folders);
    const QString platform = QGuiApplication::platformName();
    std::printf("the window is shown %s (Qt platform %s)\n",
                platform == "offscreen" ? "offscreen" : "on the display",
                platform.toStdString().c_str());
    printFileSystem(work);

    const fs::path dest = work / "out";
    std::vector<Tool> tools;
    if (only != "headless") {
      tools.push_back({"window", [&] {
                         fs::remove_all(dest);
                         fs::create_directories(dest);
                         WindowRun window{work, tree, dest};
                         const Timing timing = measure([&] { window.start(); });
                         checkCopied(dest, files);
                         return timing;
                       }});
    }
    if (only != "window") {
      tools.push_back({"headless", [&] {
                         fs::remove_all(dest);
                         HeadlessRun headless{work, work / "archive.db", tree, dest, false};
                         const Timing timing = measure([&] { headless.start(); });
                         checkCopied(dest, files);
                         return timing;
                       }});
    }
    printRounds("window bench", interleave("window bench", tools, rounds, true));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    status = 1;
  }
  std::error_code ec;
  if (!work.empty()) fs::remove_all(work, ec);
  return status;
}
