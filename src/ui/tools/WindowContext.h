#pragma once

namespace ferrowick::runtime {
class App;
struct Host;
}  // namespace ferrowick::runtime

namespace ferrowick::services {
class modLanguage;
}  // namespace ferrowick::services

namespace ferrowick::ui {

// What every window works with, handed in by whoever creates it; each window's own
// context adds what is its alone.
struct WindowContext {
  const runtime::App& app;
  runtime::Host& host;
  const services::modLanguage& lang;
};

}  // namespace ferrowick::ui
