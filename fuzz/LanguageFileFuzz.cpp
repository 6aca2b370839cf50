// Language files: any bytes load without harm, and no loaded text keeps an underscore
// (each stands for a line break).
#include "FuzzSupport.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/fs/FileSystem.h"
#include "runtime/registry/RegistryStore.h"
#include "services/modLanguage.h"
#include "services/modRegistry2.h"

using namespace ferrowick;

namespace {
// Loading a file asks nothing of the outside world but the file itself.
struct Quiet : runtime::MessageBoxes,
               runtime::EventLoop,
               runtime::Clock,
               runtime::BusyPointer,
               runtime::Shell,
               runtime::FolderPicker {
  runtime::MsgAnswer show(const std::string&, runtime::MsgStyle, const std::string&) override {
    return runtime::MsgAnswer::Ok;
  }
  void yield() override {}
  runtime::DateTime now() override { return {2026, 1, 1, 0, 0, 0}; }
  void setBusy(bool) override {}
  int open(const std::string&) override { return 0; }
  std::string browse(const std::string&, const std::string&) override { return {}; }
};

struct Loader {
  Quiet quiet;
  runtime::Host host{quiet, quiet, quiet, quiet, quiet, quiet};
  runtime::App app{"Ferrowick", fuzz::scratchFolder().string(), "ferrowick", {}, false};
  runtime::RegistryStore store{fuzz::scratchFolder() / "registry",
                               fuzz::scratchFolder() / "autostart"};
  services::modRegistry2 registry{store};
  runtime::FileSystem fs{":memory:"};
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Loader loader;
  services::modLanguage language(loader.app, loader.host, loader.registry, loader.fs);
  const auto file = fuzz::writeScratch("language.txt", fuzz::asText(data, size));
  fuzz::check(language.LoadLanguageFile(file.string()) == services::modLanguage::FileLoad::Loaded,
              "an ordinary file is loaded");
  for (std::int64_t index = 0; index < 1000; ++index)
    fuzz::check(language.text(index).find('_') == std::string::npos,
                "underscores become line breaks");
  return 0;
}
