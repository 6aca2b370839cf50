#include "ui/tools/frmUpdate.h"

#include <gtest/gtest.h>

#include <tuple>

#include "LoopbackServer.h"
#include "ToolRig.h"
#include "runtime/RuntimeError.h"
#include "runtime/net/CurlTransfer.h"
#include "support/qt/IdleTransfer.h"

namespace ferrowick::testing {
namespace {

using namespace std::chrono_literals;
using runtime::MsgAnswer::No;
using runtime::MsgAnswer::Yes;
using Strings = std::vector<std::string>;

const std::string kFailed = "Ferrowick|Information|text 146";

// An update window of version 1.20 over scripted doubles and the real transfer.
class UpdateTest : public ToolRig {
 protected:
  ui::frmUpdate& openWindow(
      const std::string& url, std::chrono::milliseconds timeout = 20s,
      decltype(ui::frmUpdateContext::newTransfer) newTransfer = [] {
        return std::make_unique<runtime::CurlTransfer>();
      }) {
    window = std::make_unique<ui::frmUpdate>(
        ui::frmUpdateContext{app, scripted.host, lang, std::move(newTransfer), url,
                             [this] { ++pagesOpened; }, timeout},
        nullptr);
    window->Show();
    return *window;
  }

  int pagesOpened = 0;
  std::unique_ptr<ui::frmUpdate> window;
};

TEST(VersionComparison, ComparesCharacterCodesAndTheLongerTextWins) {
  const std::pair<std::string, bool> against120[] = {{"1.21", true},   {"1.20", false},
                                                     {"1.20\n", true}, {"1.3", true},
                                                     {"1.100", false}, {"", false}};
  for (const auto& [remote, newer] : against120) {
    EXPECT_EQ(ui::isNewerVersion(remote, "1.20"), newer) << remote;
  }
}

// Only Yes to the offer opens the update page.
TEST_F(UpdateTest, EachAnswerOfTheServerEndsInItsMessageAndClosesTheWindow) {
  const std::string whole(ui::kMaxVersionFile, '9');
  const std::tuple<std::string, int, runtime::MsgAnswer> cases[] = {
      {"HTTP/1.0 200\r\n\r\n1.21", 144, Yes},
      {"HTTP/1.0 200 OK\r\n\r\n1.3", 144, No},
      {"HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\n1.21", 146, No},
      {"1.21", 146, No},
      {"HTTP/1.0 200 OK\r\n\r\n1.20", 146, No},
      // Line breaks closing the file are no part of the version.
      {"HTTP/1.0 200 OK\r\n\r\n1.20\n", 146, No},
      {"HTTP/1.0 200 OK\r\n\r\n1.20\r\n\r\n", 146, No},
      {"HTTP/1.0 200 OK\r\n\r\n1.21\r\n", 144, No},
      {"HTTP/1.0 200 OK\r\n\r\n" + whole, 144, No},
      {"HTTP/1.0 200 OK\r\n\r\n" + whole + "9", 146, No},
  };
  for (const auto& [response, message, answer] : cases) {
    SCOPED_TRACE(response.substr(0, 40));
    scripted.messages.shown.clear();
    scripted.messages.answer(answer);
    pagesOpened = 0;
    LoopbackServer server(response);
    ui::frmUpdate& w = openWindow(server.url());
    w.Timer1_Timer();
    EXPECT_EQ(scripted.messages.all(),
              Strings{message == 144 ? "Ferrowick|YesNo+Question|text 144" : kFailed});
    EXPECT_EQ(pagesOpened, message == 144 && answer == Yes ? 1 : 0);
    EXPECT_FALSE(w.loaded() || w.isVisible());
  }
}

TEST_F(UpdateTest, AnErrorInsideTheDownloadOrATimeOutIsAFailedCheck) {
  struct Broken : IdleTransfer {
    void get(const std::string&, std::chrono::milliseconds, std::size_t) override {
      throw runtime::RuntimeError(runtime::Err::DeviceUnavailable);
    }
  };
  openWindow("http://x/", 20s, [] { return std::make_unique<Broken>(); }).Timer1_.onTimer();
  LoopbackServer silent(std::nullopt);
  openWindow(silent.url(), 200ms).Timer1_Timer();
  EXPECT_EQ(scripted.messages.all(), (Strings{kFailed, kFailed}));
}

// The cancel button's way is in the reopen test below.
TEST_F(UpdateTest, ClosingDuringTheDownloadEndsTheTransferAndShowsNothing) {
  LoopbackServer silent(std::nullopt);
  ui::frmUpdate& w = openWindow(silent.url());
  scripted.loop.pending = [&] {
    if (silent.connections() > 0 && w.loaded()) w.close();
  };
  w.Timer1_Timer();
  scripted.loop.pending = nullptr;
  w.Timer1_Timer();  // a tick already queued when the window closed
  EXPECT_TRUE(scripted.messages.shown.empty());
  EXPECT_FALSE(w.loaded() || w.isVisible() || w.Inet().stillExecuting());
  EXPECT_EQ(silent.connections(), 1);
}

TEST_F(UpdateTest, LoadStartsBothTimersAndOpeningAgainBringsTheSameWindowForwardAndChecksOnce) {
  LoopbackServer server("HTTP/1.0 200 OK\r\n\r\n1.21");
  ui::frmUpdate& w = openWindow(server.url());
  EXPECT_TRUE(w.Timer1_.enabled() && w.Timer2_.enabled());
  w.Timer2_Timer();
  w.setWindowState(Qt::WindowMinimized);
  w.Show();
  EXPECT_EQ(w.PB1_.value(), 10);  // not loaded again
  EXPECT_FALSE(w.isMinimized());
  for (int step = 2; step <= 11; ++step) w.Timer2_Timer();  // full after ten, then stops
  EXPECT_EQ(w.PB1_.value(), 100);
  EXPECT_FALSE(w.Timer2_.enabled());
  // Opened and ticked again while the answer is awaited: still one request.
  scripted.loop.pending = [&] {
    w.Show();
    w.Timer1_Timer();
  };
  w.Timer1_Timer();
  scripted.loop.pending = nullptr;
  w.Timer1_Timer();
  EXPECT_EQ(server.connections(), 1);
  EXPECT_EQ(scripted.messages.shown.size(), 1u);
  // Once closed, opening it starts over.
  w.Show();
  w.Timer1_Timer();
  EXPECT_EQ(server.connections(), 2);
}

TEST_F(UpdateTest, ACheckLeftBehindByACancelAndAReopenSaysNothingAndLeavesTheNewWindowOpen) {
  LoopbackServer silent(std::nullopt);
  ui::frmUpdate& w = openWindow(silent.url());
  bool reopened = false;
  scripted.loop.pending = [&] {
    if (silent.connections() == 0 || reopened) return;
    w.cmdCanc_.widget().click();
    w.Show();
    reopened = true;
  };
  w.Timer1_Timer();
  scripted.loop.pending = nullptr;
  EXPECT_TRUE(scripted.messages.shown.empty());
  EXPECT_TRUE(w.loaded() && w.isVisible() && w.Timer1_.enabled());
}

}  // namespace
}  // namespace ferrowick::testing
