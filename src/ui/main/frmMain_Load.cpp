// The main window's load: everything it does before it is first shown, in order.
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/registry/RegistryTypes.h"
#include "services/StoredLanguage.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

// A failing step ends the load in an orderly box; the window is still shown, and the
// settings file is only ever read here, so it stays as it was.
void frmMain::Form_Load() {
  try {
    loadSteps();
  } catch (const runtime::RuntimeError& error) {
    reportLoadError(error.number(), error.description());
  } catch (const std::exception& error) {
    reportLoadError(runtime::Err::InvalidProcedureCall, error.what());
  }
}

void frmMain::reportLoadError(int number, const std::string& description) {
  context_.host.messages.show(std::to_string(number) + "\n" + description,
                              runtime::MsgStyle::Critical, context_.app.title());
}

void frmMain::loadSteps() {
  const services::modLanguage& lang = context_.lang;
  auto text = [&lang](int index) -> const std::string& { return lang.text(index); };

  // Captions.
  cmdLog_.setCaption(text(288));
  Label19_.setCaption(text(257));
  Option3_.setCaption(text(258));
  optAlways_.setCaption(text(259));
  optEach_.setCaption(text(260));
  lblAlwaysTime(0).setCaption(text(261));
  lblAlwaysTime(1).setCaption(text(261));
  Frame2_.setCaption(text(262));
  Label1_.setCaption(text(263));
  lblWhen_.setCaption(text(264));
  optDaily_.setCaption(text(265));
  Label4_.setCaption(text(266));
  chkDays(2).setCaption(text(267));
  chkDays(3).setCaption(text(268));
  chkDays(4).setCaption(text(269));
  chkDays(5).setCaption(text(270));
  chkDays(6).setCaption(text(271));
  chkDays(7).setCaption(text(272));
  chkDays(1).setCaption(text(273));
  chkIncr_.setCaption(text(274));
  chkLog_.setCaption(text(275));
  Command4_.setCaption(text(276));
  cmdBakNow_.setCaption(text(277));
  Label15_.setCaption(text(278));
  Option2_.setCaption(text(279));
  chkCustom_.setCaption(text(280));
  Frame1_.setCaption(text(281));
  lblCustomDir_.setCaption(text(282));
  optAnd_.setCaption(text(283));
  optOr_.setCaption(text(284));
  chkDated_.setCaption(text(285));
  Label6_.setCaption(text(286));
  cmdReset_.setCaption(text(287));
  Command5_.setCaption(text(276));
  Command3_.setCaption(text(252));
  Label3_.setCaption(text(253));
  Label20_.setCaption(text(254));
  Label16_.setCaption(text(255));
  Label10_.setCaption(text(256));
  Label18_.setCaption(text(244));
  Label17_.setCaption(text(245));
  BrowseForFolders_.setCaption(text(246));
  chkIncSub_.setCaption(text(247));
  cmdAddDir_.setCaption(text(248));
  cmdAddFile_.setCaption(text(249));
  cmdExclude_.setCaption(text(250));
  cmdClrSoucre_.setCaption(text(251));
  Command6_.setCaption(text(252));
  chkServ_.setCaption(text(227));
  Label43_.setCaption(text(228));
  Command7_.setCaption(text(243));
  Hyperlink1_.setCaption(text(237));
  Hyperlink2_.setCaption(text(238));
  Hyperlink5_.setCaption(text(239));
  Hyperlink4_.setCaption(text(240));
  Hyperlink3_.setCaption(text(241));
  Hyperlink7_.setCaption(text(242));
  Hyperlink6_.setCaption(text(222));

  // Page titles: the texts of the links that open them.
  xt1_.setTitle(text(237));
  xt2_.setTitle(text(238));
  xt3_.setTitle(text(239));
  xt4_.setTitle(text(240));
  xt5_.setTitle(text(241));

  // Menus.
  mnuHelp_.setCaption(text(229));
  read1_.setCaption(text(232));
  licen1_.setCaption(text(233));
  sprupd_.setCaption(text(234));
  stww_.setCaption(text(235));
  oprog_.setCaption(text(236));
  Label7_.setCaption(text(234));
  mnuRestore_.setCaption(text(223));
  mnuQuit_.setCaption(text(222));
  mnuFile_.setCaption(text(224));
  qwe_.setCaption(text(225));
  mnuEnd_.setCaption(text(222));

  Label9_.setCaption(text(119) + " " + context_.app.versionText());
  Label5_.setCaption(text(135));

  // The language choice shows the stored language.
  optLang_.addItem("English");
  optLang_.addItem("Polish");
  optLang_.addItem("Deutsch");
  optLang_.setText(services::storedLanguage(context_.registry, context_.app.title()));

  // The date separator; choosing it runs its change handling as a user's choice would.
  cmbSep_.addItem("Space");
  cmbSep_.addItem("-");
  cmbSep_.addItem("None");
  cmbSep_.setText("None");
  // From here on the title-bar close button and Alt+F4 do nothing.
  closeLock_.ToggleCloseButton();
  // The destination preview starts at the file-system root.
  txtDest_.setText("/");
  engine_.settings.LoadSettings();
  addTrayIcon();
  if (lstSource_.count() > 0) expandSourcesAtLoad();
}

// A failing expansion (a source folder that cannot be listed) is reported and the load
// goes on; the settings file is left as it was.
void frmMain::expandSourcesAtLoad() {
  try {
    engine_.sources.RefreshSourceList();
  } catch (const runtime::RuntimeError& error) {
    context_.host.messages.show(std::to_string(error.number()) + "\n" + error.description(),
                                runtime::MsgStyle::Critical, context_.app.title());
  }
}

}  // namespace ferrowick::ui
