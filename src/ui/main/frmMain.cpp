#include "ui/main/frmMain.h"

#include "runtime/App.h"
#include "runtime/RuntimeError.h"
#include "ui/main/Artwork.h"
#include "ui/main/FormSurface.h"
#include "ui/tools/FrmAbout.h"
#include "ui/tools/frmMd5.h"
#include "ui/tools/frmUpdate.h"

namespace ferrowick::ui {

namespace {
QWidget* createSurface(frmMain& window, std::function<void()> moved) {
  auto* surface = new FormSurface(&window);
  surface->moved = std::move(moved);
  return surface;
}
}  // namespace

frmMain::frmMain(frmMainContext context)
    : QMainWindow(nullptr),
      context_(std::move(context)),
      surface_(createSurface(*this, [this] { Form_MouseMove(); })) {
  setCentralWidget(surface_);
  setWindowTitle(QString::fromStdString(context_.app.title()));
  setWindowIcon(artwork::windowIcon());
  setDesignState();
  layOut();
  wireNavigation();
  wireTray();  // start-up, close lock and tray

  // Sources, destination and schedule pages.
  wireSources();
  wireDestination();
  wireSchedule();
  chainTabs();
  initSourcesPage();

  // Settings page, log button, menus and the update link.
  wireSettingsAndMenus();
}

frmMain::~frmMain() {
  // The surface outlives the members it calls back into.
  static_cast<FormSurface*>(surface_)->moved = nullptr;
  // The tool windows use members that go before the base class would delete them.
  delete md5_.data();
  delete about_.data();
  delete update_.data();
}

void frmMain::setDesignState() {
  txtStart_.widget().hide();
  driveSource_.addItem("/");
  driveSource_.setText("/");
  driveSource_.widget().hide();
  Option1_.widget().hide();
  Text1_.widget().hide();
  Command2_.widget().hide();
  Label2_.widget().hide();
  Command1_.setCaption("...");
  txtSelected2_.widget().setReadOnly(true);
  txtSelected2_.widget().hide();
  Frame1_.setEnabled(false);
  cmdExclude_.setEnabled(false);
  txtDest_.widget().setReadOnly(true);
  QPalette white = txtDest_.widget().palette();
  white.setColor(QPalette::Base, Qt::white);
  txtDest_.widget().setPalette(white);
  lblFooter_.setCaption("Ferrowick");
  Label8_.setCaption("Halvorne");
  for (int number = 1; number <= 7; ++number) z(number).setVisible(false);
}

runtime::CheckBox& frmMain::chkDays(int index) {
  if (index < 1 || index > 7) runtime::raise(runtime::Err::SubscriptOutOfRange);
  return chkDays_[static_cast<std::size_t>(index - 1)];
}

QtLabel& frmMain::lblAlwaysTime(int index) {
  if (index < 0 || index > 1) runtime::raise(runtime::Err::SubscriptOutOfRange);
  return lblAlwaysTime_[static_cast<std::size_t>(index)];
}

QtImage& frmMain::z(int number) {
  switch (number) {
    case 1:
      return z1_;
    case 2:
      return z2_;
    case 3:
      return z3_;
    case 4:
      return z4_;
    case 5:
      return z5_;
    case 6:
      return z6_;
    case 7:
      return z7_;
    default:
      runtime::raise(runtime::Err::SubscriptOutOfRange);
  }
}

QtLabel& frmMain::Hyperlink(int number) {
  switch (number) {
    case 1:
      return Hyperlink1_;
    case 2:
      return Hyperlink2_;
    case 3:
      return Hyperlink3_;
    case 4:
      return Hyperlink4_;
    case 5:
      return Hyperlink5_;
    case 6:
      return Hyperlink6_;
    case 7:
      return Hyperlink7_;
    default:
      runtime::raise(runtime::Err::SubscriptOutOfRange);
  }
}

QtPage& frmMain::page(int number) {
  switch (number) {
    case 1:
      return xt1_;
    case 2:
      return xt2_;
    case 3:
      return xt3_;
    case 4:
      return xt4_;
    case 5:
      return xt5_;
    default:
      runtime::raise(runtime::Err::SubscriptOutOfRange);
  }
}

}  // namespace ferrowick::ui
