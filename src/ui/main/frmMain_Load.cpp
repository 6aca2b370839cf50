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

using services::Text;

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
                              runtime::MsgIcon::Critical, context_.app.title());
}

void frmMain::loadSteps() {
  const services::modLanguage& lang = context_.lang;
  auto text = [&lang](Text id) -> const std::string& { return lang.text(id); };

  // Captions.
  cmdLog_.setCaption(text(Text::ShowLog));
  Label19_.setCaption(text(Text::WhenToRun));
  Option3_.setCaption(text(Text::OnlyNow));
  optAlways_.setCaption(text(Text::AlwaysAt));
  optEach_.setCaption(text(Text::RepeatEvery));
  lblAlwaysTime(0).setCaption(text(Text::TimeFormat));
  lblAlwaysTime(1).setCaption(text(Text::TimeFormat));
  Frame2_.setCaption(text(Text::MoreSettings));
  Label1_.setCaption(text(Text::ScheduleNote));
  lblWhen_.setCaption(text(Text::OnWhichDays));
  optDaily_.setCaption(text(Text::EveryDay));
  Label4_.setCaption(text(Text::OnlyTheseDays));
  chkDays(2).setCaption(text(Text::Monday));
  chkDays(3).setCaption(text(Text::Tuesday));
  chkDays(4).setCaption(text(Text::Wednesday));
  chkDays(5).setCaption(text(Text::Thursday));
  chkDays(6).setCaption(text(Text::Friday));
  chkDays(7).setCaption(text(Text::Saturday));
  chkDays(1).setCaption(text(Text::Sunday));
  chkIncr_.setCaption(text(Text::Incremental));
  chkLog_.setCaption(text(Text::SaveLog));
  Command4_.setCaption(text(Text::Back));
  cmdBakNow_.setCaption(text(Text::StartBackup));
  Label15_.setCaption(text(Text::WhereToStore));
  Option2_.setCaption(text(Text::LocalOrNetworkFolder));
  chkCustom_.setCaption(text(Text::CreateNewFolder));
  Frame1_.setCaption(text(Text::NewFolder));
  lblCustomDir_.setCaption(text(Text::FolderName));
  optAnd_.setCaption(text(Text::NameAndDate));
  optOr_.setCaption(text(Text::NameOrDate));
  chkDated_.setCaption(text(Text::DatedFolder));
  Label6_.setCaption(text(Text::DateSeparator));
  cmdReset_.setCaption(text(Text::Reset));
  Command5_.setCaption(text(Text::Back));
  Command3_.setCaption(text(Text::Next));
  Label3_.setCaption(text(Text::InfoIntro));
  Label20_.setCaption(text(Text::InfoSteps));
  Label16_.setCaption(text(Text::StatusHeading));
  Label10_.setCaption(text(Text::NoBackupYet));
  Label18_.setCaption(text(Text::ChooseSources));
  Label17_.setCaption(text(Text::SourcesToBackUp));
  BrowseForFolders_.setCaption(text(Text::Browse));
  chkIncSub_.setCaption(text(Text::IncludeSubfolders));
  cmdAddDir_.setCaption(text(Text::AddFolder));
  cmdAddFile_.setCaption(text(Text::AddFiles));
  cmdExclude_.setCaption(text(Text::Remove));
  cmdClrSoucre_.setCaption(text(Text::ClearList));
  Command6_.setCaption(text(Text::Next));
  chkServ_.setCaption(text(Text::StartAtLogin));
  Label43_.setCaption(text(Text::Language));
  Command7_.setCaption(text(Text::Save));
  Hyperlink1_.setCaption(text(Text::PageInformation));
  Hyperlink2_.setCaption(text(Text::PageSources));
  Hyperlink5_.setCaption(text(Text::PageDestination));
  Hyperlink4_.setCaption(text(Text::PageSchedule));
  Hyperlink3_.setCaption(text(Text::PageSettings));
  Hyperlink7_.setCaption(text(Text::HideWindow));
  Hyperlink6_.setCaption(text(Text::Close));

  // Page titles: the texts of the links that open them.
  xt1_.setTitle(text(Text::PageInformation));
  xt2_.setTitle(text(Text::PageSources));
  xt3_.setTitle(text(Text::PageDestination));
  xt4_.setTitle(text(Text::PageSchedule));
  xt5_.setTitle(text(Text::PageSettings));

  // Menus.
  mnuHelp_.setCaption(text(Text::MenuHelp));
  read1_.setCaption(text(Text::MenuReadme));
  licen1_.setCaption(text(Text::MenuLicence));
  sprupd_.setCaption(text(Text::CheckForUpdates));
  stww_.setCaption(text(Text::MenuWebSite));
  oprog_.setCaption(text(Text::MenuAbout));
  Label7_.setCaption(text(Text::CheckForUpdates));
  mnuRestore_.setCaption(text(Text::MenuOpen));
  mnuQuit_.setCaption(text(Text::Close));
  mnuFile_.setCaption(text(Text::MenuFile));
  qwe_.setCaption(text(Text::MenuCompareMd5));
  mnuEnd_.setCaption(text(Text::Close));

  Label9_.setCaption(text(Text::Version) + " " + context_.app.versionText());
  Label5_.setCaption(text(Text::ClickHere));

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
                                runtime::MsgIcon::Critical, context_.app.title());
  }
}

}  // namespace ferrowick::ui
