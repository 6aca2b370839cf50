#pragma once

#include <string>
#include <vector>

#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"
#include "support/ScriptedHost.h"

namespace ferrowick::services::testing {

struct LanguageRig {
  runtime::App app{"Ferrowick",
                   (ferrowick::testing::Sandbox::root() / "program").string(),
                   "ferrowick",
                   {},
                   false};
  ferrowick::testing::ScriptedHost scripted;
  runtime::FileSystem files{ferrowick::testing::Sandbox::root() / "archive.db"};
  runtime::RegistryStore store{ferrowick::testing::Sandbox::root() / "registry",
                               ferrowick::testing::Sandbox::root() / "autostart"};
  modRegistry2 registry{store};
  modLanguage lang{app, scripted.host, registry, files};
};

}  // namespace ferrowick::services::testing
