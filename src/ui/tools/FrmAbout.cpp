#include "ui/tools/FrmAbout.h"

#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <vector>

#include "runtime/App.h"
#include "runtime/ComputerName.h"
#include "services/MakerAddress.h"
#include "services/modCursor.h"
#include "services/modLanguage.h"
#include "services/modLinki.h"
#include "ui/host/controls/Fire.h"
#include "ui/tools/ToolWindow.h"

namespace ferrowick::ui {

using services::Text;

namespace {
constexpr const char* kAuthor = "Jonas Veldhuis";
}

FrmAbout::FrmAbout(QWidget* owner, FrmAboutContext context)
    : QWidget(owner, Qt::Dialog), context_(context) {
  setAttribute(Qt::WA_DeleteOnClose);
  setMouseTracking(true);
  Label88_.setCaption(context_.app.title());
  Label14_.setCaption(services::kMakerHost);
  Label78_.setCaption(kAuthor);
  Command3_.setCaption("&OK");
  wire();
  layOut();
  Form_Load();
  // Links are as wide as their words, so the hand and the underline follow the text
  // rather than the empty space beside it.
  for (QtLabel* link : links()) link->widget().resize(link->widget().sizeHint());
}

void FrmAbout::wire() {
  Command3_.onClick = [this] { Command3_Click(); };
  Label1_.onClick = [this] { Label1_Click(); };
  Label14_.onClick = [this] { Label14_Click(); };
  Label15_.onClick = [this] { Label15_Click(); };
  Label16_.onClick = [this] { Label16_Click(); };
  Label17_.onClick = [this] { Label17_Click(); };
  Label14_.onMouseMove = [this] { Label14_MouseMove(); };
  Label15_.onMouseMove = [this] { Label15_MouseMove(); };
  Label16_.onMouseMove = [this] { Label16_MouseMove(); };
  Label17_.onMouseMove = [this] { Label17_MouseMove(); };
}

void FrmAbout::Show() { bringForward(*this); }

void FrmAbout::Form_Load() {
  const services::modLanguage& lang = context_.lang;
  form_.setCaption(lang.text(Text::AboutTitle));
  Label86_.setCaption(lang.text(Text::Version));
  Label84_.setCaption(lang.text(Text::Copyright));
  Label81_.setCaption(lang.text(Text::AboutWebSite));
  Label79_.setCaption(lang.text(Text::AboutAuthor));
  Label5_.setCaption(lang.text(Text::AboutComputerName));
  Label6_.setCaption(lang.text(Text::AboutSupport));
  Label7_.setCaption(lang.text(Text::AboutSupportPage));
  Label8_.setCaption(lang.text(Text::AboutForum));
  Label9_.setCaption(lang.text(Text::AboutContact));
  for (QtLabel* link : {&Label15_, &Label16_, &Label17_}) {
    link->setCaption(lang.text(Text::ClickHere));
  }
  Label4_.setCaption(runtime::computerName());
  Label1_.setCaption(context_.app.versionText());
}

// The background changes nothing: the last hovered link keeps its underline.
void FrmAbout::Form_MouseMove() { services::modCursor::CursorNoOp(); }

void FrmAbout::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  fire([this] { Form_MouseMove(); });
}

void FrmAbout::Command3_Click() { close(); }

// Escape leaves the box as its OK button does.
void FrmAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    fire([this] { Command3_Click(); });
    return;
  }
  QWidget::keyPressEvent(event);
}
void FrmAbout::Label1_Click() { close(); }

void FrmAbout::Label14_Click() { context_.links.OpenHomePage(); }
void FrmAbout::Label15_Click() { context_.links.OpenSupportPage(); }
void FrmAbout::Label16_Click() { context_.links.OpenForumPage(); }
void FrmAbout::Label17_Click() { context_.links.OpenContactPage(); }

// The hand shows while the pointer is over the link; the group's underline moves to it.
void FrmAbout::hover(QtLabel& link) {
  link.widget().setCursor(Qt::PointingHandCursor);
  for (QtLabel* each : links()) each->setUnderline(each == &link);
}

void FrmAbout::Label14_MouseMove() { hover(Label14_); }
void FrmAbout::Label15_MouseMove() { hover(Label15_); }
void FrmAbout::Label16_MouseMove() { hover(Label16_); }
void FrmAbout::Label17_MouseMove() { hover(Label17_); }

std::string FrmAbout::UserName() {
  std::vector<char> buffer(4096);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr) {
    return {};
  }
  return entry.pw_name;
}

long FrmAbout::ThreadID() { return static_cast<long>(::gettid()); }

long FrmAbout::ProcessId() { return static_cast<long>(::getpid()); }

void FrmAbout::layOut() {
  constexpr int kWidth = 500;
  constexpr int kMargin = 14;
  constexpr int kLine = 18;
  constexpr int kText = 56;
  const int column = kWidth / 2 + 6;
  const int columnWidth = kWidth / 2 - kMargin - 6;

  // The owner's icon when there is one.
  Image4_.widget().setGeometry(kMargin, 14, 32, 32);
  QIcon icon = windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
  Image4_.widget().setPicture(icon.pixmap(32, 32));

  QFont product = Label88_.widget().font();
  product.setBold(true);
  product.setPointSizeF(product.pointSizeF() * 1.5);
  Label88_.widget().setFont(product);
  Label88_.widget().setGeometry(kText, 10, kWidth - kText - kMargin, 26);
  Label86_.widget().setGeometry(kText, 38, 80, kLine);
  Label1_.widget().setGeometry(kText + 84, 38, 120, kLine);
  Label84_.widget().setGeometry(kText, 58, kWidth - kText - kMargin, 2 * kLine);
  Label84_.widget().setWordWrap(true);
  Label84_.widget().setAlignment(Qt::AlignLeft | Qt::AlignTop);

  constexpr int kBlocks = 94;
  QFont heading = Label6_.widget().font();
  heading.setBold(true);
  Label6_.widget().setFont(heading);
  Label6_.widget().setGeometry(column, kBlocks, columnWidth, kLine);

  // Caption above value, three rows in each column.
  const std::array<std::pair<QtLabel*, QtLabel*>, 3> maker{
      {{&Label81_, &Label14_}, {&Label79_, &Label78_}, {&Label5_, &Label4_}}};
  const std::array<std::pair<QtLabel*, QtLabel*>, 3> support{
      {{&Label7_, &Label15_}, {&Label8_, &Label16_}, {&Label9_, &Label17_}}};
  for (std::size_t row = 0; row < 3; ++row) {
    const int top = kBlocks + 24 + static_cast<int>(row) * 42;
    maker[row].first->widget().setGeometry(kMargin, top, columnWidth, kLine);
    maker[row].second->widget().setGeometry(kMargin + 10, top + kLine, columnWidth - 10, kLine);
    support[row].first->widget().setGeometry(column, top, columnWidth, kLine);
    support[row].second->widget().setGeometry(column + 10, top + kLine, columnWidth - 10, kLine);
  }
  for (QtLabel* caption : {&Label81_, &Label79_, &Label5_, &Label7_, &Label8_, &Label9_}) {
    caption->widget().setForegroundRole(QPalette::PlaceholderText);
  }
  // Links look like links.
  for (QtLabel* link : links()) {
    QPalette palette = link->widget().palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    link->widget().setPalette(palette);
  }

  const int bottom = kBlocks + 24 + 3 * 42 + 16;
  Command3_.widget().setGeometry(kWidth - kMargin - 96, bottom, 96, 28);
  setFixedSize(kWidth, bottom + 28 + kMargin);
}

}  // namespace ferrowick::ui
