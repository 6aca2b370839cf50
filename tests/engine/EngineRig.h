#pragma once

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MemoryMainWindow.h"
#include "runtime/App.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"
#include "support/Sandbox.h"
#include "support/ScriptedHost.h"

namespace ferrowick::testing {

// A headless engine: scripted host, the in-memory main window, and the file system,
// registry and language table over the test's sandbox. Members are built in this order.
struct EngineRig {
  ScriptedHost host;
  runtime::App app{"Ferrowick", "/opt/ferrowick", "ferrowick", {}, false};
  runtime::FileSystem fs{Sandbox::root() / "archive.db"};
  runtime::RegistryStore store{Sandbox::root() / "registry", Sandbox::root() / "autostart"};
  services::modRegistry2 registry{store};
  services::modLanguage lang{app, host.host, registry, fs};
  engine::MemoryMainWindow window;
  engine::EngineState state;
  engine::EngineContext ctx{app, host.host, fs, lang, window, state};
};

}  // namespace ferrowick::testing
