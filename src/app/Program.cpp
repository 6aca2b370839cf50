#include "app/Program.h"

#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "services/StoredLanguage.h"
#include "services/modPathUsers.h"

namespace ferrowick::app {

namespace {
runtime::App makeApp(bool previousInstance) {
  const runtime::Version version{FERROWICK_VERSION_MAJOR, FERROWICK_VERSION_MINOR,
                                 FERROWICK_VERSION_PATCH};
  return runtime::App(runtime::kAppTitle, QCoreApplication::applicationDirPath().toStdString(),
                      QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString(),
                      version, previousInstance);
}

// The archive-state records sit in the program's application-data folder; without one
// they go nowhere durable rather than below the file-system root.
std::filesystem::path archiveDatabase() {
  const std::string folder = services::modPathUsers::AppDataFolder();
  return folder.empty() ? std::filesystem::path(":memory:")
                        : std::filesystem::path(folder) / "archive.db";
}

// Ends the process where it stands: no window is unloaded, nothing is saved.
[[noreturn]] void endProgram() {
  std::fflush(nullptr);
  std::_Exit(EXIT_SUCCESS);
}
}  // namespace

Program::Program()
    : lock_(runtime::InstanceLock::forProgram(runtime::kAppTitle)),
      app_(makeApp(lock_.previousInstance())),
      boundary_(qt_.messages, app_.title()),
      store_(runtime::RegistryStore::forCurrentUser()),
      registry_(store_),
      fs_(archiveDatabase()),
      lang_(app_, qt_.host(), registry_, fs_),
      splash_(ui::frmSplashContext{{app_, qt_.host(), lang_},
                                   [this] { lang_.LoadLanguage(); },
                                   [this]() -> ui::frmMain& { return mainWindow(); }}) {
  // The program lives beside its tray icon: a hidden main window is not an end.
  QApplication::setQuitOnLastWindowClosed(false);
}

Program::~Program() = default;

int Program::run() {
  if (!splash_.Form_Initialize()) return EXIT_SUCCESS;
  // Qt's standard buttons and dialogs follow the language just loaded.
  qtTexts_.load(services::storedLanguage(registry_, app_.title()));
  splash_.Form_Load();
  splash_.show();
  return QApplication::exec();
}

ui::frmMain& Program::mainWindow() {
  if (!main_) {
    main_ = std::make_unique<ui::frmMain>(ui::frmMainContext{
        app_, qt_.host(), lang_, registry_, fs_, [] { endProgram(); }, store_, fileDialog_,
        [] { return std::make_unique<runtime::CurlTransfer>(); }, &tray_});
    qt_.setMainWindow(main_.get());
    main_->Form_Load();
  }
  return *main_;
}

}  // namespace ferrowick::app
