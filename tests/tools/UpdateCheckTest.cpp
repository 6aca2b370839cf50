#include <gtest/gtest.h>

#include "UpdateFixture.h"

namespace ferrowick::testing {
namespace {

using runtime::MsgAnswer::No;
using runtime::MsgAnswer::Yes;

TEST(VersionComparison, ComparesCharacterCodesAndTheLongerTextWins) {
  const std::pair<std::string, bool> against120[] = {
      {"1.21", true}, {"1.20", false},  {"1.20\r\n", true}, {"1.20\n", true},
      {"1.3", true},  {"1.100", false}, {"", false},        {"1.2", false},
      {"2", true},    {"1.19", false},  {" 1.21", false},   {"1.2\xC3\xA9", true}};
  for (const auto& [remote, newer] : against120) {
    EXPECT_EQ(ui::isNewerVersion(remote, "1.20"), newer) << remote;
  }
}

TEST_F(UpdateTest, EachAnswerOfTheServerEndsInItsMessageAndClosesTheWindow) {
  const std::string whole(ui::kMaxVersionFile, '9');
  struct Case {
    const char* name;
    std::string response;
    int message;
  };
  const Case cases[] = {
      {"1.0 status", "HTTP/1.0 200 OK\r\n\r\n1.21", 144},
      {"1.1 with length", "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n1.21", 144},
      {"no reason phrase", "HTTP/1.0 200\r\n\r\n1.21", 144},
      {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\n1.21", 146},
      {"server error", "HTTP/1.0 500 Internal Server Error\r\n\r\n1.21", 146},
      {"two spaces", "HTTP/1.1  200 OK\r\n\r\n1.21", 146},
      {"no headers at all", "1.21", 146},
      {"empty body", "HTTP/1.0 200 OK\r\n\r\n", 146},
      {"same version", "HTTP/1.0 200 OK\r\n\r\n1.20", 146},
      {"same version and a line break", "HTTP/1.0 200 OK\r\n\r\n1.20\r\n", 144},
      {"body at the limit", "HTTP/1.0 200 OK\r\n\r\n" + whole, 144},
      {"body over the limit", "HTTP/1.0 200 OK\r\n\r\n" + whole + "9", 146},
  };
  for (const Case& c : cases) {
    scripted.messages.shown.clear();
    LoopbackServer server(c.response);
    ui::frmUpdate& w = openWindow(server.url(kVersionPath));
    w.Timer1_Timer();

    ASSERT_EQ(scripted.messages.shown.size(), 1u) << c.name;
    const auto& box = scripted.messages.shown[0];
    EXPECT_EQ(box.text, text(c.message)) << c.name;
    EXPECT_EQ(box.style, c.message == 144 ? 36 : 64) << c.name;
    EXPECT_EQ(box.caption, "Ferrowick") << c.name;
    EXPECT_FALSE(w.loaded() || w.isVisible()) << c.name;
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u) << c.name;
    EXPECT_EQ(requests[0].rfind("GET /updates/ferrowick.txt HTTP/1.1\r\n", 0), 0u) << c.name;
  }
  EXPECT_EQ(pagesOpened, 0);
}

TEST_F(UpdateTest, NoServerAtTheAddressIsAFailedCheck) {
  std::string address;
  {
    LoopbackServer gone(std::string{});
    address = gone.url(kVersionPath);
  }
  openWindow(address).Timer1_Timer();
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].text, text(146));
}

TEST_F(UpdateTest, OnlyYesToTheOfferOpensTheUpdatePage) {
  scripted.messages.answer(No);
  checkAgainst("HTTP/1.0 200 OK\r\n\r\n1.3");
  EXPECT_EQ(pagesOpened, 0);
  EXPECT_FALSE(window->loaded());

  scripted.messages.answer(Yes);
  checkAgainst("HTTP/1.0 200 OK\r\n\r\n1.3");
  EXPECT_EQ(pagesOpened, 1);
  EXPECT_FALSE(window->loaded());
  EXPECT_EQ(scripted.messages.shown.size(), 2u);
}

}  // namespace
}  // namespace ferrowick::testing
