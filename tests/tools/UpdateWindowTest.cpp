#include <gtest/gtest.h>

#include <functional>

#include "UpdateFixture.h"

namespace ferrowick::testing {
namespace {

using namespace std::chrono_literals;

TEST_F(UpdateTest, LoadStartsBothTimersAndTheBarFillsInTenStepsThenStaysFull) {
  ui::frmUpdate& w = openWindow("http://127.0.0.1:9/");
  EXPECT_EQ(w.windowTitle().toStdString(), "Ferrowick");
  EXPECT_EQ(w.lblInfo_.caption(), text(145));
  EXPECT_EQ(w.cmdCanc_.caption(), text(147));
  EXPECT_TRUE(w.Timer1_.enabled() && w.Timer2_.enabled());
  EXPECT_EQ(w.PB1_.value(), 0);
  std::vector<int> values;
  for (int tick = 0; tick < 10; ++tick) {
    w.Timer2_Timer();
    values.push_back(w.PB1_.value());
  }
  EXPECT_EQ(values, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
  EXPECT_TRUE(w.Timer2_.enabled());
  w.Timer2_Timer();
  EXPECT_EQ(w.PB1_.value(), 100);
  EXPECT_FALSE(w.Timer2_.enabled());
}

TEST_F(UpdateTest, CancelBeforeTheFirstTickMakesNoRequestAndShowsNothing) {
  LoopbackServer server("HTTP/1.0 200 OK\r\n\r\n1.21");
  ui::frmUpdate& w = openWindow(server.url(kVersionPath));
  w.cmdCanc_.widget().click();
  EXPECT_FALSE(w.loaded() || w.isVisible());
  EXPECT_FALSE(w.Timer1_.enabled() || w.Timer2_.enabled());
  w.Timer1_Timer();  // a tick already queued when the window closed
  EXPECT_EQ(server.connections(), 0);
  EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(UpdateTest, ClosingDuringTheDownloadEndsTheTransferAndShowsNothing) {
  const std::pair<const char*, std::function<void(ui::frmUpdate&)>> closes[] = {
      {"cancel button", [](ui::frmUpdate& w) { w.cmdCanc_.widget().click(); }},
      {"title bar", [](ui::frmUpdate& w) { w.close(); }}};
  for (const auto& [name, closeIt] : closes) {
    LoopbackServer silent(std::nullopt);
    ui::frmUpdate& w = openWindow(silent.url(kVersionPath));
    scripted.loop.pending = [&] {
      if (silent.connections() > 0 && w.loaded()) closeIt(w);
    };
    w.Timer1_Timer();
    scripted.loop.pending = nullptr;
    EXPECT_TRUE(scripted.messages.shown.empty()) << name;
    EXPECT_FALSE(w.loaded() || w.isVisible() || w.Timer2_.enabled()) << name;
    EXPECT_FALSE(w.Inet().stillExecuting()) << name;
    EXPECT_EQ(silent.connections(), 1) << name;
  }
}

TEST_F(UpdateTest, AnUnansweredRequestEndsAtTheTimeOutAsAFailedCheck) {
  LoopbackServer silent(std::nullopt);
  openWindow(silent.url(kVersionPath), 200ms).Timer1_Timer();
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].text, text(146));
  EXPECT_FALSE(window->loaded());
}

TEST_F(UpdateTest, OpeningAgainBringsTheSameWindowForwardAndChecksOnce) {
  LoopbackServer server("HTTP/1.0 200 OK\r\n\r\n1.21");
  ui::frmUpdate& w = openWindow(server.url(kVersionPath));
  w.Timer2_Timer();
  w.Show();
  EXPECT_EQ(w.PB1_.value(), 10);  // not loaded again

  // Opened again and ticked again while the answer is awaited: still one request.
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
  EXPECT_TRUE(w.loaded() && w.isVisible());
  EXPECT_EQ(w.PB1_.value(), 0);
  w.Timer1_Timer();
  EXPECT_EQ(server.connections(), 2);
}

TEST_F(UpdateTest, ACheckLeftBehindByACancelAndAReopenSaysNothingAndLeavesTheNewWindowOpen) {
  LoopbackServer silent(std::nullopt);
  ui::frmUpdate& w = openWindow(silent.url(kVersionPath));
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
