#include <string>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "engine/SettingsFile.h"
#include "engine/SettingsKeys.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/profile/ProfileDocument.h"
#include "services/modLanguage.h"

namespace ferrowick::engine {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using runtime::ProfileDocument;
using namespace settings_keys;

namespace {

class BusyWhileSaving {
 public:
  explicit BusyWhileSaving(runtime::BusyPointer& pointer) : pointer_(pointer) {
    pointer_.setBusy(true);
  }
  ~BusyWhileSaving() { pointer_.setBusy(false); }
  BusyWhileSaving(const BusyWhileSaving&) = delete;
  BusyWhileSaving& operator=(const BusyWhileSaving&) = delete;

 private:
  runtime::BusyPointer& pointer_;
};

std::string_view word(bool value) { return value ? kTrue : kFalse; }

}  // namespace

// The whole new file is built in memory and replaces the old one in a single step, so a
// save that fails anywhere leaves the settings file as it was.
void SettingsFile::SaveSettings() {
  BusyWhileSaving busy(ctx_.host.pointer);
  try {
    ProfileDocument document;
    writeSettings(document);
    if (!writeEntries(document)) return;
    replaceFile(document);
  } catch (const runtime::RuntimeError& error) {
    reportError(error, "\n", runtime::MsgStyle::Critical);
  }
}

void SettingsFile::writeSettings(ProfileDocument& document) {
  MainWindowView& view = ctx_.view;

  // Both times are written whatever rule is chosen; a field that holds no time of day
  // ends the save right after its key.
  const auto writeTime = [&](std::string_view key, runtime::TextBox& field, TimeOfDay& time) {
    const std::string text = field.text();
    if (text == kEmptyField) {
      document.write(kWhen, key, kUnsetTime);
      time = {};
    } else {
      document.write(kWhen, key, text);
      time = TimeOfDay::parse(field.text());
    }
  };
  writeTime(kAlwaysAt, view.MaskEdBox1(), ctx_.state.AlwaysAtTime);
  writeTime(kEach, view.MaskEdBox2(), ctx_.state.EachInterval);
  document.write(kWhen, kDefault, view.optAlways().value() ? kFalse : kTrue);

  unsigned days = 0;
  if (!view.optDaily().value()) {
    for (int bit = 0; bit < 7; ++bit) {
      if (view.chkDays(bit + 1).value() != Unchecked) days += 1u << bit;
    }
  }
  document.write(kWhen, kDays, std::to_string(days));

  const auto ticked = [](runtime::CheckBox& box) { return box.value() == Checked; };
  document.write(kLog, kSave, word(ticked(view.chkLog())));
  document.write(kBackup, kIncremental, word(ticked(view.chkIncr())));

  document.write(kDestination, kCustom, word(ticked(view.chkCustom())));
  const std::string customName = view.txtCusDir().text();
  if (!customName.empty()) document.write(kDestination, kCustomName, customName);
  document.write(kDestination, kAnd, word(view.optAnd().value()));
  document.write(kDestination, kOr, word(view.optOr().value()));
  const std::string separator = view.cmbSep().text();
  if (!separator.empty()) document.write(kDestination, kDateSeparator, separator);
  document.write(kDestination, kDatedDirectories, word(ticked(view.chkDated())));
  std::string base = view.txtSelected2().text();
  if (base.empty() || base.back() != '/') base += '/';
  document.write(kDestination, kBaseDir, base);

  document.write(kOptions, kLoadWin, word(ticked(view.chkServ())));
}

// Entries in list order, keyed by position. False, after the message, when one cannot be
// stored.
bool SettingsFile::writeEntries(ProfileDocument& document) {
  runtime::ListBox& list = ctx_.view.lstSource();
  const std::size_t count = list.count();
  for (std::size_t index = 0; index < count; ++index) {
    const std::string item = list.item(index);
    if (document.write(kEntries, std::to_string(index), item) == 0) {
      reportEntryFailure(item);
      return false;
    }
  }
  return true;
}

// The new file is complete on the disk before the old one becomes the previous version.
// A file that cannot be written is the failure of the first entry that did not reach it.
void SettingsFile::replaceFile(const ProfileDocument& document) {
  const std::string path = settingsPath();
  try {
    runtime::StagedFile staged = document.stage(path, &ctx_.fs.faults());
    rotate();
    staged.commit();
  } catch (const runtime::RuntimeError&) {
    runtime::ListBox& list = ctx_.view.lstSource();
    if (list.count() == 0) throw;
    reportEntryFailure(list.item(0));
  }
}

// The current file becomes the previous version. Every failure here is ignored: the new
// file replaces the current one whatever happens. The current file is never deleted
// outright, so there is no moment without settings on the disk.
void SettingsFile::rotate() {
  const auto ignoringFailure = [](const std::function<void()>& operation) {
    try {
      operation();
    } catch (const runtime::RuntimeError&) {
    }
  };
  runtime::FileSystem& fs = ctx_.fs;
  const std::string current = settingsPath();
  const std::string previous = previousPath();
  bool havePrevious = false;
  ignoringFailure([&] { havePrevious = fs.fileExists(previous); });
  if (havePrevious) ignoringFailure([&] { fs.deleteFile(previous); });
  ignoringFailure([&] { fs.renameFile(current, previous); });
}

void SettingsFile::reportEntryFailure(const std::string& item) {
  ctx_.host.messages.show(ctx_.lang.text(201) + "\n" + ctx_.lang.text(202) + " " + item,
                          runtime::MsgStyle::Critical, ctx_.app.title());
}

}  // namespace ferrowick::engine
