#include <optional>
#include <string>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "engine/SettingsFile.h"
#include "engine/SettingsKeys.h"
#include "runtime/App.h"
#include "runtime/BusyScope.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/fs/StagedFile.h"
#include "runtime/profile/ProfileDocument.h"
#include "services/modLanguage.h"

namespace ferrowick::engine {

using runtime::ProfileDocument;
using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using services::Text;
using namespace settings_keys;

namespace {

std::string_view word(bool value) { return value ? kTrue : kFalse; }

}  // namespace

// The whole new file is built in memory and replaces the old one in a single step, so a
// save that fails anywhere leaves the settings file as it was.
void SettingsFile::SaveSettings() {
  const runtime::BusyScope busy(ctx_.host.pointer);
  ProfileDocument document;
  try {
    writeSettings(document);
    if (!writeEntries(document)) return;
  } catch (const runtime::RuntimeError& error) {
    reportError(error, "\n", runtime::MsgIcon::Critical);
    return;
  }
  replaceFile(document);
}

void SettingsFile::writeSettings(ProfileDocument& document) {
  MainWindowView& view = ctx_.view;
  // A value the file cannot hold (a NUL or a line break inside) fails the save like any
  // other error, rather than going missing from the new file.
  const auto put = [&document](std::string_view section, std::string_view key,
                               std::string_view value) {
    if (document.write(section, key, value) == 0) {
      runtime::raise(runtime::Err::InvalidProcedureCall);
    }
  };

  // Both times are written whatever rule is chosen; a field that holds no time of day
  // ends the save right after its key.
  const auto writeTime = [&](std::string_view key, runtime::TextBox& field, TimeOfDay& time) {
    const std::string text = field.text();
    if (text == kEmptyField) {
      put(kWhen, key, kUnsetTime);
      time = {};
    } else {
      put(kWhen, key, text);
      time = TimeOfDay::parse(field.text());
    }
  };
  writeTime(kAlwaysAt, view.MaskEdBox1(), ctx_.state.AlwaysAtTime);
  writeTime(kEach, view.MaskEdBox2(), ctx_.state.EachInterval);
  put(kWhen, kDefault, view.optAlways().value() ? kFalse : kTrue);

  unsigned days = 0;
  if (!view.optDaily().value()) {
    for (int bit = 0; bit < 7; ++bit) {
      if (view.chkDays(bit + 1).value() != Unchecked) days += 1u << bit;
    }
  }
  put(kWhen, kDays, std::to_string(days));

  const auto ticked = [](runtime::CheckBox& box) { return box.value() == Checked; };
  put(kLog, kSave, word(ticked(view.chkLog())));
  put(kBackup, kIncremental, word(ticked(view.chkIncr())));

  put(kDestination, kCustom, word(ticked(view.chkCustom())));
  const std::string customName = view.txtCusDir().text();
  if (!customName.empty()) put(kDestination, kCustomName, customName);
  put(kDestination, kAnd, word(view.optAnd().value()));
  put(kDestination, kOr, word(view.optOr().value()));
  const std::string separator = view.cmbSep().text();
  if (!separator.empty()) put(kDestination, kDateSeparator, separator);
  put(kDestination, kDatedDirectories, word(ticked(view.chkDated())));
  std::string base = view.txtSelected2().text();
  if (base.empty() || base.back() != '/') base += '/';
  put(kDestination, kBaseDir, base);

  put(kOptions, kLoadWin, word(ticked(view.chkServ())));
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

// The new file is complete on the disk before anything else changes. The old file, when it
// holds settings, then becomes the previous version, on the disk before the new file is
// renamed over it: wherever the save fails or the program is killed, the settings file is
// whole, old or new, and the previous version holds the settings before it. A missing or
// damaged file never takes the previous version's place. A failure names the file it
// concerns and ends the save.
void SettingsFile::replaceFile(const ProfileDocument& document) {
  std::string file = shownPath(kFileName);
  try {
    const std::string path = settingsPath();
    runtime::StagedFile staged = document.stage(path, &ctx_.fs.faults());
    if (const auto current = storedSettings(path)) {
      file = previousPath();
      runtime::StagedFile(file, *current, &ctx_.fs.faults()).commit();
      file = path;
    }
    staged.commit();
  } catch (const runtime::RuntimeError& error) {
    reportError(error, "\n", runtime::MsgIcon::Critical, file);
  }
}

void SettingsFile::reportEntryFailure(const std::string& item) {
  ctx_.host.messages.show(ctx_.lang.text(Text::SettingsNotSaved) + "\n" +
                              ctx_.lang.text(Text::AffectedSource) + " " + item,
                          runtime::MsgIcon::Critical, ctx_.app.title());
}

}  // namespace ferrowick::engine
