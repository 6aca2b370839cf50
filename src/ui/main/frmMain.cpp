#include "ui/main/frmMain.h"

#include <array>

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

// Member `number` of a set of controls numbered from 1.
template <typename Control, std::size_t N>
Control& numbered(int number, const std::array<Control*, N>& controls) {
  if (number < 1 || number > static_cast<int>(N)) {
    runtime::raise(runtime::Err::SubscriptOutOfRange);
  }
  return *controls[static_cast<std::size_t>(number - 1)];
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
  return numbered(number, std::array{&z1_, &z2_, &z3_, &z4_, &z5_, &z6_, &z7_});
}

QtLabel& frmMain::Hyperlink(int number) {
  return numbered(number, std::array{&Hyperlink1_, &Hyperlink2_, &Hyperlink3_, &Hyperlink4_,
                                     &Hyperlink5_, &Hyperlink6_, &Hyperlink7_});
}

QtPage& frmMain::page(int number) {
  return numbered(number, std::array{&xt1_, &xt2_, &xt3_, &xt4_, &xt5_});
}

}  // namespace ferrowick::ui
