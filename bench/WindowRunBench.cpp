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

std::size_t countFiles(const fs::path& folder) {
  std::size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) ++count;
  }
  return count;
}

int argument(int argc, char** argv, int index, int fallback) {
  return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
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
    std::printf("%d files of 4 KiB in %d folders below %s\n", files, folders,
                work.parent_path().c_str());

    int serial = 0;
    std::vector<double> windowWall, windowCpu, headlessWall, headlessCpu;
    for (int round = -1; round < rounds; ++round) {
      const fs::path windowDest = work / ("out-" + std::to_string(++serial));
      const fs::path headlessDest = work / ("out-" + std::to_string(++serial));
      fs::create_directories(windowDest);
      WindowRun window{work, tree, windowDest};
      HeadlessRun headlessRun{work, work / "archive.db", tree, headlessDest, false};
      // Alternating which goes first keeps either from always following the other.
      Timing inWindow, headless;
      const auto runWindow = [&] {
        if (only != "headless") inWindow = measure([&] { window.start(); });
      };
      const auto runHeadless = [&] {
        if (only != "window") headless = measure([&] { headlessRun.start(); });
      };
      if (round % 2 == 0) {
        runWindow();
        runHeadless();
      } else {
        runHeadless();
        runWindow();
      }
      const std::size_t copied = countFiles(only == "headless" ? headlessDest : windowDest);
      if (copied != static_cast<std::size_t>(files)) {
        throw std::runtime_error("the run copied " + std::to_string(copied) + " files");
      }
      std::printf("%-5s  window %.3f s (cpu %.3f)  headless %.3f s (cpu %.3f)\n",
                  round < 0 ? "cold" : "warm", inWindow.wall, inWindow.cpu, headless.wall,
                  headless.cpu);
      fs::remove_all(windowDest);
      fs::remove_all(headlessDest);
      if (round < 0) continue;
      windowWall.push_back(inWindow.wall);
      windowCpu.push_back(inWindow.cpu);
      headlessWall.push_back(headless.wall);
      headlessCpu.push_back(headless.cpu);
    }
    if (only.empty()) {
      std::printf("window / headless: best wall %.2f, median wall %.2f, median cpu %.2f\n",
                  best(windowWall) / best(headlessWall), median(windowWall) / median(headlessWall),
                  median(windowCpu) / median(headlessCpu));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    status = 1;
  }
  std::error_code ec;
  if (!work.empty()) fs::remove_all(work, ec);
  return status;
}
