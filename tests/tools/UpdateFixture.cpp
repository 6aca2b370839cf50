#include "UpdateFixture.h"

#include "ui/host/net/CurlTransfer.h"

namespace ferrowick::testing {

std::string text(int index) { return "text " + std::to_string(index); }

UpdateTest::UpdateTest() {
  for (int index = 0; index < static_cast<int>(services::modLanguage::kEntries); ++index) {
    lang.setText(index, text(index));
  }
}

ui::frmUpdate& UpdateTest::openWindow(const std::string& url, std::chrono::milliseconds timeout) {
  window = std::make_unique<ui::frmUpdate>(
      ui::frmUpdateContext{app, scripted.host, lang,
                           [] { return std::make_unique<ui::CurlTransfer>(); }, url,
                           [this] { ++pagesOpened; }, timeout},
      nullptr);
  window->Show();
  return *window;
}

void UpdateTest::checkAgainst(const std::string& response) {
  LoopbackServer server(response);
  openWindow(server.url(kVersionPath)).Timer1_Timer();
}

}  // namespace ferrowick::testing
