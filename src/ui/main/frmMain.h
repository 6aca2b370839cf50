#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/CloseButtonLock.h"
#include "engine/MainWindowView.h"
#include "engine/SystemMenu.h"
#include "engine/modCommon.h"
#include "runtime/Host.h"
#include "runtime/controls/MemoryControls.h"
#include "services/modLinki.h"
#include "services/modlRegistry.h"
#include "ui/host/controls/QtButton.h"
#include "ui/host/controls/QtCheckBox.h"
#include "ui/host/controls/QtComboBox.h"
#include "ui/host/controls/QtFrame.h"
#include "ui/host/controls/QtImage.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtListBox.h"
#include "ui/host/controls/QtMenuItem.h"
#include "ui/host/controls/QtOptionButton.h"
#include "ui/host/controls/QtPage.h"
#include "ui/host/controls/QtTextBox.h"
#include "ui/host/controls/QtTimer.h"
#include "ui/host/controls/QtWindow.h"
#include "ui/tools/WindowContext.h"

class QWindow;

namespace ferrowick::runtime {
class App;
class FileDialog;
struct Host;
class HttpTransfer;
class RegistryStore;
}  // namespace ferrowick::runtime

namespace ferrowick::services {
class modLanguage;
class modRegistry2;
}  // namespace ferrowick::services

namespace ferrowick::ui {

class FrmAbout;
class TrayIcon;
class frmMd5;
class frmUpdate;

// What the main window works with, handed in by whoever creates it.
struct frmMainContext : WindowContext {
  services::modRegistry2& registry;
  runtime::FileSystem& fs;
  // Ends the program at once: no window is unloaded and nothing is saved.
  std::function<void()> endProgram;
  // Holds the start-with-the-system entry (the Run key's value).
  runtime::RegistryStore& store;
  // The file-open dialog of the tool windows.
  runtime::FileDialog& files;
  // Makes one HTTP transfer for an update window.
  std::function<std::unique_ptr<runtime::HttpTransfer>()> newTransfer;
  // The notification-area icon; none means the desktop has no notification area.
  TrayIcon* tray = nullptr;
};

// The main window: five pages behind a side panel of links, two menus, the tray menu
// and two timers. Its controls hold the settings while the program runs; they are
// public under their names, as the engine and the pages' handlers use them.
class frmMain : public QMainWindow, public engine::MainWindowView {
 public:
  explicit frmMain(frmMainContext context);
  ~frmMain() override;

  // The load sequence; runs once, before the window is first shown.
  void Form_Load();

  // Page navigation.
  void Hyperlink1_Click();
  void Hyperlink2_Click();
  void Hyperlink3_Click();
  void Hyperlink4_Click();
  void Hyperlink5_Click();
  void Hyperlink6_Click();
  void Hyperlink7_Click();
  void Hyperlink1_MouseMove();
  void Hyperlink2_MouseMove();
  void Hyperlink3_MouseMove();
  void Hyperlink4_MouseMove();
  void Hyperlink5_MouseMove();
  void Hyperlink6_MouseMove();
  void Hyperlink7_MouseMove();
  void Image6_MouseMove();
  void Form_MouseMove();
  void Command6_Click();
  void Command3_Click();
  void Command5_Click();
  void Command4_Click();
  void Timer2_Timer();

  // Start-up, close lock and tray: the activation rule, the minimise handling, the
  // icon's mouse messages (514, 515, 517) and the tray and program menus' close items.
  void Form_Activate();
  void Form_Resize();
  void Tray_MouseMove(int message);
  void mnuRestore_Click();
  void mnuQuit_Click();
  void mnuEnd_Click();
  engine::SystemMenu& systemMenu() { return systemMenu_; }
  // The message number of the icon's last mouse event.
  int TrayMessage = 0;

  // Sources page.
  void BrowseForFolders_Click();
  void txtSelected_Change();
  void dirSource_Change();
  void cmdAddDir_Click();
  void cmdAddFile_Click();
  void cmdExclude_Click();
  void cmdClrSoucre_Click();
  void lstSource_Click();

  // Destination page.
  void Command1_Click();
  void txtSelected2_Change();
  void chkCustom_Click();
  void txtCusDir_Change();
  void chkDated_Click();
  void optAnd_Click();
  void optOr_Click();
  void cmbSep_Change();
  void cmdReset_Click();
  void txtDest_Change();
  // Rewrites the preview from the three naming flags given.
  void CustomDir(bool bCustName, bool bDated, bool bBoth);
  std::string GetDateFormat() const;

  // Schedule page.
  void cmdBakNow_Click();
  void chkDays_Click(int index);
  void optDaily_Click();
  void CheckScheduleDay();
  // The day gate's clock: sees every minute once, through the engine's bookkeeping.
  void tmrDayGate_Timer();

  // engine::MainWindowView: each listed control returns its member `name_`.
  FERROWICK_MAIN_WINDOW_CONTROLS(FERROWICK_MAIN_WINDOW_ACCESSOR)
  runtime::CheckBox& chkDays(int index) override;

  // The control arrays: `lblAlwaysTime`(0..1); `chkDays`(1..7) above.
  QtLabel& lblAlwaysTime(int index);
  // The bars `z1` to `z7` and the links `Hyperlink1` to `Hyperlink7` by their numbers.
  QtImage& z(int number);
  QtLabel& Hyperlink(int number);

  // The window's controls under their names, with the containers that hold them.
 private:
  frmMainContext context_;
  QWidget* surface_;

 public:
  QtWindow form_{*this};

  // The pages, all on one rectangle.
  QtPage xt1_{surface_, true};
  QtPage xt2_{surface_, false};
  QtPage xt3_{surface_, false};
  QtPage xt4_{surface_, false};
  QtPage xt5_{surface_, false};

  // Information page.
  QtLabel Label3_{&xt1_.widget()};
  QtLabel Label20_{&xt1_.widget()};
  QtLabel Label16_{&xt1_.widget()};
  QtLabel Label10_{&xt1_.widget()};
  QtLabel Label11_{&xt1_.widget()};
  QtLabel Label12_{&xt1_.widget()};
  QtLabel Label13_{&xt1_.widget()};
  QtLabel Label14_{&xt1_.widget()};
  QtButton cmdLog_{&xt1_.widget()};

  // Sources page.
  QtLabel Label18_{&xt2_.widget()};
  QtLabel Label17_{&xt2_.widget()};
  QtTextBox txtStart_{&xt2_.widget(), "Start path to browse from"};
  QtButton BrowseForFolders_{&xt2_.widget()};
  QtTextBox txtSelected_{&xt2_.widget(), "/"};
  QtCheckBox chkIncSub_{&xt2_.widget(), runtime::CheckState::Checked};
  QtComboBox driveSource_{&xt2_.widget()};
  runtime::MemoryFolderList dirSource_;
  QtListBox fileSource_{&xt2_.widget(), false, QAbstractItemView::MultiSelection};
  QtListBox lstSource_{&xt2_.widget(), true, QAbstractItemView::ExtendedSelection};
  QtButton cmdAddDir_{&xt2_.widget()};
  QtButton cmdAddFile_{&xt2_.widget()};
  QtButton cmdExclude_{&xt2_.widget()};
  QtButton cmdClrSoucre_{&xt2_.widget()};
  QtButton Command6_{&xt2_.widget()};

  // Destination page. `Option1`, `Text1`, `Command2` and `Label2` belong to an archive
  // destination that is never offered: they stay hidden.
  QtLabel Label15_{&xt3_.widget()};
  QtOptionButton Option2_{&xt3_.widget(), true};
  QtOptionButton Option1_{&xt3_.widget()};
  QtTextBox Text1_{&xt3_.widget()};
  QtButton Command2_{&xt3_.widget()};
  QtLabel Label2_{&xt3_.widget()};
  QtButton Command1_{&xt3_.widget()};
  QtTextBox txtSelected2_{&xt3_.widget(), "/"};
  QtCheckBox chkCustom_{&xt3_.widget()};
  QtFrame Frame1_{&xt3_.widget()};
  QtLabel lblCustomDir_{&Frame1_.widget()};
  QtTextBox txtCusDir_{&Frame1_.widget()};
  QWidget* Picture2_ = new QWidget(&Frame1_.widget());
  QtOptionButton optAnd_{Picture2_};
  QtOptionButton optOr_{Picture2_};
  QtCheckBox chkDated_{&Frame1_.widget()};
  QtLabel Label6_{&Frame1_.widget()};
  QtComboBox cmbSep_{&Frame1_.widget()};
  QWidget* Picture3_ = new QWidget(&Frame1_.widget());
  QtButton cmdReset_{Picture3_};
  QtTextBox txtDest_{&xt3_.widget()};
  QtButton Command5_{&xt3_.widget()};
  QtButton Command3_{&xt3_.widget()};

  // Schedule page. `Option3`, `optAlways` and `optEach` are one group, the page's own.
  QtLabel Label19_{&xt4_.widget()};
  QtOptionButton Option3_{&xt4_.widget(), true};
  QtOptionButton optAlways_{&xt4_.widget()};
  QtOptionButton optEach_{&xt4_.widget()};
  QtMaskedEdit MaskEdBox1_{&xt4_.widget()};
  QtMaskedEdit MaskEdBox2_{&xt4_.widget()};
  std::array<QtLabel, 2> lblAlwaysTime_{{QtLabel{&xt4_.widget()}, QtLabel{&xt4_.widget()}}};
  QtFrame Frame2_{&xt4_.widget()};
  QtLabel Label1_{&Frame2_.widget()};
  QtLabel lblWhen_{&Frame2_.widget()};
  QWidget* Picture1_ = new QWidget(&Frame2_.widget());
  QtOptionButton optDaily_{Picture1_, true};
  QtLabel Label4_{&Frame2_.widget()};
  // Index 1 (Sunday) to 7 (Saturday) at positions 0 to 6.
  std::array<QtCheckBox, 7> chkDays_{{QtCheckBox{&Frame2_.widget()}, QtCheckBox{&Frame2_.widget()},
                                      QtCheckBox{&Frame2_.widget()}, QtCheckBox{&Frame2_.widget()},
                                      QtCheckBox{&Frame2_.widget()}, QtCheckBox{&Frame2_.widget()},
                                      QtCheckBox{&Frame2_.widget()}}};
  QtCheckBox chkIncr_{&Frame2_.widget()};
  QtCheckBox chkLog_{&Frame2_.widget(), runtime::CheckState::Checked};
  QtButton Command4_{&xt4_.widget()};
  QtButton cmdBakNow_{&xt4_.widget()};

  // Settings page.
  QtCheckBox chkServ_{&xt5_.widget()};
  QtLabel Label43_{&xt5_.widget()};
  QtComboBox optLang_{&xt5_.widget()};
  QtButton Command7_{&xt5_.widget()};

  // Side panel, from back to front: the picture, the bars, the links (in their rows).
  QtImage Image6_{surface_};
  QtImage z1_{surface_};
  QtImage z2_{surface_};
  QtImage z3_{surface_};
  QtImage z4_{surface_};
  QtImage z5_{surface_};
  QtImage z6_{surface_};
  QtImage z7_{surface_};
  QtLabel Hyperlink1_{surface_};
  QtLabel Hyperlink2_{surface_};
  QtLabel Hyperlink5_{surface_};
  QtLabel Hyperlink4_{surface_};
  QtLabel Hyperlink3_{surface_};
  QtLabel Hyperlink7_{surface_};
  QtLabel Hyperlink6_{surface_};

  // Window level.
  QtImage Image2_{surface_};
  QtLabel Label7_{surface_};
  QtLabel Label5_{surface_};
  QtImage Image12_{surface_};
  QtLabel Label8_{surface_};
  QtLabel Label9_{surface_};
  QtImage Image15_{surface_};
  QtLabel lblFooter_{surface_};
  QtTimer Timer2_{10, true};
  QtTimer Timer3_{1000, false};
  // Schedule page: drives the day gate; its bookkeeping makes the rhythm exact.
  QtTimer tmrDayGate_{1000, true};

  // Menus. `mnuPop` is not on the menu bar; it pops up from the tray.
  QMenu* mnuFileMenu_ = menuBar()->addMenu(QString());
  QtMenuItem mnuFile_{mnuFileMenu_->menuAction()};
  QtMenuItem qwe_{mnuFileMenu_->addAction(QString())};
  QtMenuItem s33_{mnuFileMenu_->addSeparator()};
  QtMenuItem mnuEnd_{mnuFileMenu_->addAction(QString())};
  QMenu* mnuHelpMenu_ = menuBar()->addMenu(QString());
  QtMenuItem mnuHelp_{mnuHelpMenu_->menuAction()};
  QtMenuItem read1_{mnuHelpMenu_->addAction(QString())};
  QtMenuItem licen1_{mnuHelpMenu_->addAction(QString())};
  QtMenuItem s2_{mnuHelpMenu_->addSeparator()};
  QtMenuItem sprupd_{mnuHelpMenu_->addAction(QString())};
  QtMenuItem s3_{mnuHelpMenu_->addSeparator()};
  QtMenuItem stww_{mnuHelpMenu_->addAction(QString())};
  QtMenuItem s4_{mnuHelpMenu_->addSeparator()};
  QtMenuItem oprog_{mnuHelpMenu_->addAction(QString())};
  QMenu* mnuPopMenu_ = new QMenu(this);
  QtMenuItem mnuPop_{mnuPopMenu_->menuAction()};
  QtMenuItem mnuRestore_{mnuPopMenu_->addAction(QString())};
  QtMenuItem ghj_{mnuPopMenu_->addSeparator()};
  QtMenuItem mnuQuit_{mnuPopMenu_->addAction(QString())};

  // The backup engine, working on this window's controls.
  engine::modCommon engine_{context_.app, context_.host, context_.fs, context_.lang, *this};

 private:
  QtPage& page(int number);
  void showOnly(int number);
  void hover(int link);
  void clearUnderlines();
  void wireNavigation();
  void setDesignState();
  void expandSourcesAtLoad();
  // Where every part of the window stands (frmMain_Layout.cpp).
  struct PageGrid;
  void layOut();
  void fixWindowSize();
  void layOutSidePanel(qreal dpr);
  void layOutUpdatePrompt(qreal dpr);
  void layOutBadge(qreal dpr);
  void layOutBottomStrip(qreal dpr);
  void layOutInformationPage(const PageGrid& grid);
  void layOutSourcesPage(const PageGrid& grid);
  void layOutDestinationPage(const PageGrid& grid);
  void layOutSchedulePage(const PageGrid& grid);
  void layOutSettingsPage(const PageGrid& grid);

  // Start-up, close lock and tray.
 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void loadSteps();
  void captionSchedulePage();
  void captionDestinationPage();
  void captionInformationPage();
  void captionSourcesPage();
  void captionSettingsPage();
  void captionSideLinks();
  void titlePages();
  void captionMenus();
  void captionUpdatePromptAndVersion();
  void fillLanguageChoice();
  void fillDateSeparator();
  void reportLoadError(int number, const std::string& description);
  void wireTray();
  void addTrayIcon();
  void openDestinationPicker();
  void minimiseQuietly();
  void leaveMinimised();
  bool canHide() const;
  void followCloseItem();
  engine::SystemMenu systemMenu_;
  engine::CloseButtonLock closeLock_{systemMenu_};
  bool activated_ = false;
  void notificationAreaChanged(bool available);
  bool quietMinimise_ = false;

  // Sources, destination and schedule pages.
  void wireSources();
  void wireDestination();
  void wireSchedule();
  void chainTabs();
  // The file list shows the path box's folder, as the folder list stands there.
  void initSourcesPage();
  // Has the engine delete the settings file; a failure is reported naming it.
  void deleteSettingsFile();
  // A start folder for the picker: `txtStart` without one closing "/", written back.
  std::string browseStart();
  void criticalBox(int number, const std::string& description);
  void sourcesErrorBox(int number, const std::string& description, const std::string& file = {});

  // Settings page, log button, menus and the update link (frmMain_Settings.cpp,
  // frmMain_Menus.cpp).
 public:
  void chkServ_Click();
  void Command7_Click();
  void cmdLog_Click();
  void qwe_Click();
  void read1_Click();
  void licen1_Click();
  void sprupd_Click();
  void stww_Click();
  void oprog_Click();
  void Image2_Click();
  void Label7_Click();
  void Image2_MouseMove();
  void Label7_MouseMove();

  // The tool windows' one instance each, while loaded.
  QPointer<frmMd5> md5_;
  QPointer<FrmAbout> about_;
  QPointer<frmUpdate> update_;
  // Loads the hidden update form once, a second after the window is shown.
  void Timer3_Timer();

 private:
  services::modlRegistry runKey_{context_.store};
  services::modLinki links_{context_.app, context_.registry, context_.host.shell};

  void wireSettingsAndMenus();
  void openUpdateWindow();
  // After a setting's write: shows the error that kept it from being stored, if any.
  bool reportUnstored();
};

}  // namespace ferrowick::ui
