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
  captionSchedulePage();
  captionDestinationPage();
  captionInformationPage();
  captionSourcesPage();
  captionSettingsPage();
  captionSideLinks();
  titlePages();
  captionMenus();
  captionUpdatePromptAndVersion();
  fillLanguageChoice();
  fillDateSeparator();
  // From here on the title-bar close button and Alt+F4 do nothing.
  closeLock_.ToggleCloseButton();
  // The destination preview starts at the file-system root.
  txtDest_.setText("/");
  engine_.settings.LoadSettings();
  addTrayIcon();
  if (lstSource_.count() > 0) expandSourcesAtLoad();
}

void frmMain::captionSchedulePage() {
  const services::modLanguage& lang = context_.lang;
  Label19_.setCaption(lang.text(Text::WhenToRun));
  Option3_.setCaption(lang.text(Text::OnlyNow));
  optAlways_.setCaption(lang.text(Text::AlwaysAt));
  optEach_.setCaption(lang.text(Text::RepeatEvery));
  lblAlwaysTime(0).setCaption(lang.text(Text::TimeFormat));
  lblAlwaysTime(1).setCaption(lang.text(Text::TimeFormat));
  Frame2_.setCaption(lang.text(Text::MoreSettings));
  Label1_.setCaption(lang.text(Text::ScheduleNote));
  lblWhen_.setCaption(lang.text(Text::OnWhichDays));
  optDaily_.setCaption(lang.text(Text::EveryDay));
  Label4_.setCaption(lang.text(Text::OnlyTheseDays));
  chkDays(2).setCaption(lang.text(Text::Monday));
  chkDays(3).setCaption(lang.text(Text::Tuesday));
  chkDays(4).setCaption(lang.text(Text::Wednesday));
  chkDays(5).setCaption(lang.text(Text::Thursday));
  chkDays(6).setCaption(lang.text(Text::Friday));
  chkDays(7).setCaption(lang.text(Text::Saturday));
  chkDays(1).setCaption(lang.text(Text::Sunday));
  chkIncr_.setCaption(lang.text(Text::Incremental));
  chkLog_.setCaption(lang.text(Text::SaveLog));
  Command4_.setCaption(lang.text(Text::Back));
  cmdBakNow_.setCaption(lang.text(Text::StartBackup));
}

void frmMain::captionDestinationPage() {
  const services::modLanguage& lang = context_.lang;
  Label15_.setCaption(lang.text(Text::WhereToStore));
  Option2_.setCaption(lang.text(Text::LocalOrNetworkFolder));
  chkCustom_.setCaption(lang.text(Text::CreateNewFolder));
  Frame1_.setCaption(lang.text(Text::NewFolder));
  lblCustomDir_.setCaption(lang.text(Text::FolderName));
  optAnd_.setCaption(lang.text(Text::NameAndDate));
  optOr_.setCaption(lang.text(Text::NameOrDate));
  chkDated_.setCaption(lang.text(Text::DatedFolder));
  Label6_.setCaption(lang.text(Text::DateSeparator));
  cmdReset_.setCaption(lang.text(Text::Reset));
  Command5_.setCaption(lang.text(Text::Back));
  Command3_.setCaption(lang.text(Text::Next));
}

void frmMain::captionInformationPage() {
  const services::modLanguage& lang = context_.lang;
  Label3_.setCaption(lang.text(Text::InfoIntro));
  Label20_.setCaption(lang.text(Text::InfoSteps));
  Label16_.setCaption(lang.text(Text::StatusHeading));
  Label10_.setCaption(lang.text(Text::NoBackupYet));
  cmdLog_.setCaption(lang.text(Text::ShowLog));
}

void frmMain::captionSourcesPage() {
  const services::modLanguage& lang = context_.lang;
  Label18_.setCaption(lang.text(Text::ChooseSources));
  Label17_.setCaption(lang.text(Text::SourcesToBackUp));
  BrowseForFolders_.setCaption(lang.text(Text::Browse));
  chkIncSub_.setCaption(lang.text(Text::IncludeSubfolders));
  cmdAddDir_.setCaption(lang.text(Text::AddFolder));
  cmdAddFile_.setCaption(lang.text(Text::AddFiles));
  cmdExclude_.setCaption(lang.text(Text::Remove));
  cmdClrSoucre_.setCaption(lang.text(Text::ClearList));
  Command6_.setCaption(lang.text(Text::Next));
}

void frmMain::captionSettingsPage() {
  const services::modLanguage& lang = context_.lang;
  chkServ_.setCaption(lang.text(Text::StartAtLogin));
  Label43_.setCaption(lang.text(Text::Language));
  Command7_.setCaption(lang.text(Text::Save));
}

void frmMain::captionSideLinks() {
  const services::modLanguage& lang = context_.lang;
  Hyperlink1_.setCaption(lang.text(Text::PageInformation));
  Hyperlink2_.setCaption(lang.text(Text::PageSources));
  Hyperlink5_.setCaption(lang.text(Text::PageDestination));
  Hyperlink4_.setCaption(lang.text(Text::PageSchedule));
  Hyperlink3_.setCaption(lang.text(Text::PageSettings));
  Hyperlink7_.setCaption(lang.text(Text::HideWindow));
  Hyperlink6_.setCaption(lang.text(Text::Close));
}

// Page titles: the texts of the links that open them.
void frmMain::titlePages() {
  const services::modLanguage& lang = context_.lang;
  xt1_.setTitle(lang.text(Text::PageInformation));
  xt2_.setTitle(lang.text(Text::PageSources));
  xt3_.setTitle(lang.text(Text::PageDestination));
  xt4_.setTitle(lang.text(Text::PageSchedule));
  xt5_.setTitle(lang.text(Text::PageSettings));
}

void frmMain::captionMenus() {
  const services::modLanguage& lang = context_.lang;
  mnuHelp_.setCaption(lang.text(Text::MenuHelp));
  read1_.setCaption(lang.text(Text::MenuReadme));
  licen1_.setCaption(lang.text(Text::MenuLicence));
  sprupd_.setCaption(lang.text(Text::CheckForUpdates));
  stww_.setCaption(lang.text(Text::MenuWebSite));
  oprog_.setCaption(lang.text(Text::MenuAbout));
  mnuRestore_.setCaption(lang.text(Text::MenuOpen));
  mnuQuit_.setCaption(lang.text(Text::Close));
  mnuFile_.setCaption(lang.text(Text::MenuFile));
  qwe_.setCaption(lang.text(Text::MenuCompareMd5));
  mnuEnd_.setCaption(lang.text(Text::Close));
}

void frmMain::captionUpdatePromptAndVersion() {
  const services::modLanguage& lang = context_.lang;
  Label5_.setCaption(lang.text(Text::ClickHere));
  Label7_.setCaption(lang.text(Text::CheckForUpdates));
  Label9_.setCaption(lang.text(Text::Version) + " " + context_.app.versionText());
}

// The language choice shows the stored language.
void frmMain::fillLanguageChoice() {
  optLang_.addItem("English");
  optLang_.addItem("Polish");
  optLang_.addItem("Deutsch");
  optLang_.setText(services::storedLanguage(context_.registry, context_.app.title()));
}

// The date separator; choosing it runs its change handling as a user's choice would.
void frmMain::fillDateSeparator() {
  cmbSep_.addItem("Space");
  cmbSep_.addItem("-");
  cmbSep_.addItem("None");
  cmbSep_.setText("None");
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
