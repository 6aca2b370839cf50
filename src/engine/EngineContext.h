#pragma once

namespace ferrowick::runtime {
class App;
struct Host;
class FileSystem;
}  // namespace ferrowick::runtime

namespace ferrowick::services {
class modLanguage;
}

namespace ferrowick::engine {

class MainWindowView;
struct EngineState;

// What every engine routine works with, handed in by whoever builds the engine.
struct EngineContext {
  const runtime::App& app;
  runtime::Host& host;
  runtime::FileSystem& fs;
  const services::modLanguage& lang;
  MainWindowView& view;
  EngineState& state;
};

}  // namespace ferrowick::engine
