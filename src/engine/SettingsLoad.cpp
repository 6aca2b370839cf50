#include <string>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "engine/RunFileList.h"
#include "engine/SettingsFile.h"
#include "engine/SettingsKeys.h"
#include "runtime/ByteConversion.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/profile/ProfileDocument.h"
#include "services/modPathUsers.h"

namespace ferrowick::engine {

using runtime::ProfileDocument;
using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;
using namespace settings_keys;

void SettingsFile::LoadSettings() {
  ProfileDocument document;
  // Without an application-data folder there is no settings file: the window then starts
  // as at a first start, instead of hiding with nothing loaded.
  if (services::modPathUsers::AppDataFolder().empty()) {
    ctx_.state.NoSettingsFile = true;
  } else {
    document = readOrRestore();
  }

  loadWhen(document);
  loadOptions(document);
  if (loadBaseDir(document)) {
    loadDestination(document);
    runStep([&] {
      if (value(document, kOptions, kLoadWin) == kTrue) ctx_.view.chkServ().setValue(Checked);
    });
  }
  loadEntries(document);

  runStep([&] { ctx_.state.LastRunTime = TimeOfDay::at(ctx_.host.clock.now()); });
}

// A failing step is reported, naming the file it concerns, and the load goes on with the
// next one.
void SettingsFile::runStep(const std::function<void()>& step, const std::string& file) {
  try {
    step();
  } catch (const runtime::RuntimeError& error) {
    reportError(error, "\n\n", runtime::MsgIcon::Critical, file);
  }
}

// The settings file's settings; where it is missing, holds none or cannot be read, the
// previous version's. Only a missing or damaged file is then replaced by a copy of the
// previous version: one that could not be read may hold settings yet.
ProfileDocument SettingsFile::readOrRestore() {
  std::optional<std::string> stored;
  bool replaceable = false;
  runStep(
      [&] {
        stored = storedSettings(settingsPath());
        replaceable = !stored;
      },
      shownPath(kFileName));
  if (stored) return ProfileDocument::parse(*stored);

  runStep([&] { stored = storedSettings(previousPath()); }, shownPath(kPreviousName));
  if (!stored) {
    ctx_.state.NoSettingsFile = true;
    return {};
  }
  if (replaceable) {
    runStep([&] { ctx_.fs.copyFile(previousPath(), settingsPath()); }, shownPath(kFileName));
  }
  return ProfileDocument::parse(*stored);
}

// A key that is missing or empty is absent: nothing is applied.
std::optional<std::string> SettingsFile::value(const ProfileDocument& document,
                                               std::string_view section,
                                               std::string_view key) const {
  const std::string* found = document.find(section, key);
  if (found == nullptr || found->empty()) return std::nullopt;
  return *found;
}

void SettingsFile::loadWhen(const ProfileDocument& document) {
  // The field is set first and read back: the time is whatever the field accepted.
  const auto loadTime = [&](std::string_view key, runtime::TextBox& field, TimeOfDay& time) {
    runStep([&] {
      const auto text = value(document, kWhen, key);
      if (!text) return;
      if (*text == kUnsetTime) {
        time = {};
        return;
      }
      field.setText(*text);
      time = TimeOfDay::parse(field.text());
    });
  };
  loadTime(kAlwaysAt, ctx_.view.MaskEdBox1(), ctx_.state.AlwaysAtTime);
  loadTime(kEach, ctx_.view.MaskEdBox2(), ctx_.state.EachInterval);

  // The chosen time rule comes back, so that a saved schedule goes on running.
  runStep([&] {
    const auto rule = value(document, kWhen, kDefault);
    if (rule == kFalse) {
      ctx_.view.optAlways().setValue(true);
    } else if (rule == kTrue) {
      ctx_.view.optEach().setValue(true);
    }
  });

  runStep([&] {
    if (const auto mask = value(document, kWhen, kDays)) tickWeekdays(*mask);
  });
}

// A box is ticked when the mask, taken from the highest weekday down, holds its weight
// exactly once; values from 128 up therefore tick nothing.
void SettingsFile::tickWeekdays(std::string_view mask) {
  unsigned rest = runtime::CByte(mask);
  for (int day = 7; day >= 1; --day) {
    const unsigned weight = 1u << (day - 1);
    if (rest / weight == 1) {
      ctx_.view.chkDays(day).setValue(Checked);
      rest -= weight;
    }
  }
}

void SettingsFile::loadOptions(const ProfileDocument& document) {
  runStep([&] {
    if (value(document, kLog, kSave) == kFalse) ctx_.view.chkLog().setValue(Unchecked);
  });
  runStep([&] {
    if (value(document, kBackup, kIncremental) == kTrue) ctx_.view.chkIncr().setValue(Checked);
  });
}

// False when setting the base folder failed: the load then goes on with the entries.
bool SettingsFile::loadBaseDir(const ProfileDocument& document) {
  const auto base = value(document, kDestination, kBaseDir);
  if (!base) return true;
  try {
    ctx_.view.txtSelected2().setText(*base);
    return true;
  } catch (const runtime::RuntimeError& error) {
    // A base folder on a missing device or path is no news worth a message at start-up.
    if (error.number() != runtime::Err::DeviceUnavailable &&
        error.number() != runtime::Err::PathNotFound) {
      reportError(error, "\n", runtime::MsgButtons::OkOnly);
    }
    return false;
  }
}

void SettingsFile::loadDestination(const ProfileDocument& document) {
  MainWindowView& view = ctx_.view;
  const auto isTrue = [&](std::string_view key) {
    return value(document, kDestination, key) == kTrue;
  };
  runStep([&] {
    if (isTrue(kCustom)) view.chkCustom().setValue(Checked);
  });
  runStep([&] {
    if (const auto name = value(document, kDestination, kCustomName)) {
      view.txtCusDir().setText(*name);
    }
  });
  runStep([&] {
    if (isTrue(kAnd)) view.optAnd().setValue(true);
  });
  runStep([&] {
    if (isTrue(kOr)) view.optOr().setValue(true);
  });
  runStep([&] {
    if (isTrue(kDatedDirectories)) view.chkDated().setValue(Checked);
  });
  runStep([&] {
    if (const auto separator = value(document, kDestination, kDateSeparator)) {
      view.cmbSep().setText(*separator);
    }
  });
}

// Entries are read in key order until the first missing or empty key.
void SettingsFile::loadEntries(const ProfileDocument& document) {
  runStep([&] { RunFileList(ctx_).Reset(); });
  std::vector<std::string> entries;
  for (std::size_t index = 0;; ++index) {
    auto item = value(document, kEntries, std::to_string(index));
    if (!item) break;
    entries.push_back(std::move(*item));
  }
  runStep([&] { ctx_.view.lstSource().addItems(entries); });
}

}  // namespace ferrowick::engine
