// Where every control of the main window stands, and the window's pictures.
#include <QFont>
#include <QLayout>
#include <vector>

#include "ui/host/controls/PageWidget.h"
#include "ui/main/Artwork.h"
#include "ui/main/Twips.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

namespace {
constexpr int kClientWidth = 9375;
constexpr int kClientHeight = 6825;

// Pages, side links and bars stand where the window's design puts them (in twips).
constexpr int kPageLeft = 2640;
constexpr int kPageTop = 1080;
constexpr int kPageWidth = 6615;
constexpr int kPageHeight = 5295;
constexpr int kLinkLeft = 600;
constexpr int kLinkWidth = 1815;
constexpr int kLinkHeight = 255;
constexpr int kBarLeft = 120;
constexpr int kBarWidth = 2430;
constexpr int kBarHeight = 345;
constexpr int kBarAboveLink = 60;
constexpr int kFirstRowTop = 1320;
constexpr int kRowStep = 360;

void place(QWidget& widget, int x, int y, int width, int height) {
  widget.setGeometry(x, y, width, height);
}

void makeHeading(QtLabel& label) {
  QFont font = label.widget().font();
  font.setBold(true);
  label.widget().setFont(font);
}

void makeSmall(QtLabel& label) {
  QFont font = label.widget().font();
  font.setPointSizeF(font.pointSizeF() * 0.9);
  label.widget().setFont(font);
}

void makeWrapping(QtLabel& label) {
  label.widget().setWordWrap(true);
  label.widget().setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void chain(const std::vector<QWidget*>& widgets) {
  for (std::size_t i = 1; i < widgets.size(); ++i) {
    QWidget::setTabOrder(widgets[i - 1], widgets[i]);
  }
}
}  // namespace

// Tab walks the side links in their rows, then the page on show top to bottom, left to
// right; the weekdays as they stand, Sunday after Saturday.
void frmMain::chainTabs() {
  chain({&Hyperlink1_.widget(), &Hyperlink2_.widget(), &Hyperlink5_.widget(), &Hyperlink4_.widget(),
         &Hyperlink3_.widget(), &Hyperlink7_.widget(), &Hyperlink6_.widget(), &cmdLog_.widget(),
         &txtSelected_.widget()});
  chain({&txtSelected_.widget(), &BrowseForFolders_.widget(), &chkIncSub_.widget(),
         &fileSource_.widget(), &cmdAddDir_.widget(), &cmdAddFile_.widget(), &lstSource_.widget(),
         &cmdExclude_.widget(), &cmdClrSoucre_.widget(), &Command6_.widget(), &Option2_.widget()});
  chain({&Option2_.widget(), &txtDest_.widget(), &Command1_.widget(), &chkCustom_.widget(),
         &txtCusDir_.widget(), &optAnd_.widget(), &optOr_.widget(), &chkDated_.widget(),
         &cmbSep_.widget(), &cmdReset_.widget(), &Command5_.widget(), &Command3_.widget(),
         &Option3_.widget()});
  std::vector<QWidget*> schedule{&Option3_.widget(), &optAlways_.widget(),  &MaskEdBox1_.widget(),
                                 &optEach_.widget(), &MaskEdBox2_.widget(), &optDaily_.widget()};
  for (int day : {2, 3, 4, 5, 6, 7, 1}) {
    schedule.push_back(&chkDays_[static_cast<std::size_t>(day - 1)].widget());
  }
  schedule.insert(schedule.end(), {&chkIncr_.widget(), &chkLog_.widget(), &Command4_.widget(),
                                   &cmdBakNow_.widget()});
  chain(schedule);
  chain({&cmdBakNow_.widget(), &chkServ_.widget(), &optLang_.widget(), &Command7_.widget()});
}

void frmMain::layOut() {
  surface_->setFixedSize(px(kClientWidth), px(kClientHeight));
  // The layout is fixed: the window cannot be stretched or maximised, and still minimises.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint) &
                 ~Qt::WindowMaximizeButtonHint);
  const qreal dpr = devicePixelRatioF();
  const int tab = PageWidget::tabHeight();

  for (int number = 1; number <= 5; ++number) {
    page(number).widget().setGeometry(twipsRect(kPageLeft, kPageTop, kPageWidth, kPageHeight));
  }

  // Side panel: the picture, the bars framing each link row, the links in their rows
  // (from the top: 1, 2, 5, 4, 3, 7, 6).
  Image6_.widget().setGeometry(twipsRect(kBarLeft, 1090, kBarWidth, 2775));
  Image6_.widget().setPicture(artwork::sidePanel(Image6_.widget().size(), dpr));
  const QPixmap bar = artwork::highlightBar(dpr);
  // Row of each link, by link number (index 0 unused).
  constexpr int kRowOfLink[] = {0, 0, 1, 4, 3, 2, 6, 5};
  for (int number = 1; number <= 7; ++number) {
    // Bar zN frames row N; the link of page N may stand in another row.
    QtImage& highlight = z(number);
    const int barTop = kFirstRowTop + kRowStep * (number - 1) - kBarAboveLink;
    highlight.widget().setGeometry(twipsRect(kBarLeft, barTop, kBarWidth, kBarHeight));
    highlight.widget().setPicture(bar);
    // Bars take no pointer events: a move over one is a move over the panel behind.
    highlight.widget().setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QtLabel& link = Hyperlink(number);
    const int linkTop = kFirstRowTop + kRowStep * kRowOfLink[number];
    link.widget().setGeometry(twipsRect(kLinkLeft, linkTop, kLinkWidth, kLinkHeight));
    link.widget().setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    link.widget().makeKeyboardLink();
  }

  // Below the side panel: a short prompt above the update link and its icon.
  place(Label5_.widget(), 36, 266, 134, 16);
  makeSmall(Label5_);
  Label5_.widget().setForegroundRole(QPalette::PlaceholderText);
  place(Image2_.widget(), 14, 283, 16, 16);
  Image2_.widget().setPicture(artwork::updateIcon(dpr));
  place(Label7_.widget(), 36, 282, 134, 18);

  // The top right corner of the banner: a badge with the maker and the version.
  place(Image12_.widget(), 455, 10, 160, 42);
  Image12_.widget().setPicture(artwork::badge(Image12_.widget().size(), dpr));
  Image12_.widget().setAttribute(Qt::WA_TransparentForMouseEvents, true);
  for (QtLabel* label : {&Label8_, &Label9_}) {
    label->widget().setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette text = label->widget().palette();
    text.setColor(QPalette::WindowText, Qt::white);
    label->widget().setPalette(text);
  }
  place(Label8_.widget(), 463, 13, 144, 18);
  QFont maker = Label8_.widget().font();
  maker.setBold(true);
  maker.setLetterSpacing(QFont::PercentageSpacing, 110);
  Label8_.widget().setFont(maker);
  place(Label9_.widget(), 463, 31, 144, 17);

  // The strip along the bottom, with the footer on it.
  place(Image15_.widget(), 0, px(kClientHeight) - 24, px(kClientWidth), 24);
  Image15_.widget().setPicture(artwork::bottomStrip(Image15_.widget().size(), dpr));
  place(lblFooter_.widget(), 12, px(kClientHeight) - 21, px(kClientWidth) - 24, 18);
  lblFooter_.widget().setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblFooter_.widget().setForegroundRole(QPalette::PlaceholderText);

  const int pageWidth = px(kPageWidth);
  const int right = pageWidth - 12;
  const int buttonRow = px(kPageHeight) - 31;

  // Information page.
  for (QtLabel* label : {&Label3_, &Label20_, &Label10_, &Label14_}) makeWrapping(*label);
  place(Label3_.widget(), 14, tab + 12, pageWidth - 28, 72);
  place(Label20_.widget(), 14, tab + 88, pageWidth - 28, 64);
  makeHeading(Label16_);
  place(Label16_.widget(), 14, tab + 156, pageWidth - 28, 18);
  place(Label10_.widget(), 14, tab + 176, pageWidth - 28, 34);
  int line = tab + 212;
  for (QtLabel* label : {&Label11_, &Label12_, &Label13_}) {
    place(label->widget(), 14, line, pageWidth - 28, 17);
    line += 18;
  }
  // The summary names the run's end time and date: two lines, up to the button row.
  place(Label14_.widget(), 14, line, pageWidth - 28, buttonRow - line);
  place(cmdLog_.widget(), right - 130, buttonRow, 130, 25);

  // Sources page: browsing on the left, the source list on the right.
  // The browse button is wide enough for its longest caption ("Durchsuchen...").
  const int first = 200;
  const int browse = 106;
  const int second = 12 + first + 12;
  const int list = right - second;
  place(Label18_.widget(), 12, tab + 10, first, 18);
  place(txtSelected_.widget(), 12, tab + 30, first - browse - 4, 24);
  place(BrowseForFolders_.widget(), 12 + first - browse, tab + 30, browse, 24);
  place(txtStart_.widget(), 12, tab + 30, first - browse - 4, 24);
  place(driveSource_.widget(), 12, tab + 30, first - browse - 4, 24);
  place(chkIncSub_.widget(), 12, tab + 58, first, 20);
  place(fileSource_.widget(), 12, tab + 82, first, 176);
  place(cmdAddDir_.widget(), 12, tab + 264, first / 2 - 2, 25);
  place(cmdAddFile_.widget(), 12 + first / 2 + 2, tab + 264, first - first / 2 - 2, 25);
  place(Label17_.widget(), second, tab + 10, list + 8, 18);
  place(lstSource_.widget(), second, tab + 30, list, 228);
  place(cmdExclude_.widget(), second, tab + 264, list / 2 - 2, 25);
  place(cmdClrSoucre_.widget(), second + list / 2 + 2, tab + 264, list - list / 2 - 2, 25);
  place(Command6_.widget(), right - 96, buttonRow, 96, 25);

  // Destination page.
  makeHeading(Label15_);
  place(Label15_.widget(), 12, tab + 10, pageWidth - 24, 18);
  place(Option2_.widget(), 12, tab + 30, pageWidth - 24, 20);
  place(Option1_.widget(), 12, tab + 52, pageWidth - 24, 20);
  place(Text1_.widget(), 12, tab + 54, pageWidth - 64, 24);
  place(Command2_.widget(), right - 34, tab + 54, 34, 24);
  place(Label2_.widget(), 12, tab + 80, pageWidth - 24, 18);
  place(txtDest_.widget(), 12, tab + 54, pageWidth - 64, 24);
  place(Command1_.widget(), right - 34, tab + 54, 34, 24);
  place(txtSelected2_.widget(), 12, tab + 54, pageWidth - 64, 24);
  place(chkCustom_.widget(), 12, tab + 84, pageWidth - 24, 20);
  place(Frame1_.widget(), 12, tab + 108, pageWidth - 24, 180);
  const int inFrame = pageWidth - 24 - 20;
  place(lblCustomDir_.widget(), 10, 26, 130, 20);
  place(txtCusDir_.widget(), 144, 24, inFrame - 134, 24);
  place(*Picture2_, 10, 52, inFrame, 44);
  place(optAnd_.widget(), 0, 0, inFrame, 20);
  place(optOr_.widget(), 0, 22, inFrame, 20);
  place(chkDated_.widget(), 10, 100, inFrame, 20);
  place(Label6_.widget(), 10, 126, 130, 20);
  place(cmbSep_.widget(), 144, 124, 110, 24);
  place(*Picture3_, inFrame - 130 + 10, 144, 130, 28);
  place(cmdReset_.widget(), 0, 2, 130, 25);
  place(Command5_.widget(), right - 196, buttonRow, 96, 25);
  place(Command3_.widget(), right - 96, buttonRow, 96, 25);

  // Schedule page.
  makeHeading(Label19_);
  place(Label19_.widget(), 12, tab + 8, pageWidth - 24, 18);
  place(Option3_.widget(), 12, tab + 28, pageWidth - 24, 20);
  place(optAlways_.widget(), 12, tab + 52, 196, 20);
  place(MaskEdBox1_.widget(), 212, tab + 50, 56, 24);
  place(lblAlwaysTime(0).widget(), 276, tab + 52, right - 276, 20);
  place(optEach_.widget(), 12, tab + 76, 196, 20);
  place(MaskEdBox2_.widget(), 212, tab + 74, 56, 24);
  place(lblAlwaysTime(1).widget(), 276, tab + 76, right - 276, 20);
  place(Frame2_.widget(), 12, tab + 102, pageWidth - 24, 194);
  makeWrapping(Label1_);
  makeSmall(Label1_);
  place(Label1_.widget(), 10, 20, inFrame, 40);
  place(lblWhen_.widget(), 10, 62, 130, 20);
  place(*Picture1_, 144, 62, inFrame - 134, 20);
  place(optDaily_.widget(), 0, 0, inFrame - 134, 20);
  place(Label4_.widget(), 10, 84, inFrame, 18);
  // Monday to Saturday, then Sunday: indexes 2 to 7, then 1.
  const int dayWidth = inFrame / 4;
  constexpr int kDayOrder[] = {2, 3, 4, 5, 6, 7, 1};
  for (int slot = 0; slot < 7; ++slot) {
    auto& day = chkDays_[static_cast<std::size_t>(kDayOrder[slot] - 1)];
    place(day.widget(), 10 + dayWidth * (slot % 4), 104 + 20 * (slot / 4), dayWidth, 20);
  }
  place(chkIncr_.widget(), 10, 148, inFrame, 20);
  place(chkLog_.widget(), 10, 168, inFrame, 20);
  place(Command4_.widget(), right - 236, buttonRow, 96, 25);
  place(cmdBakNow_.widget(), right - 136, buttonRow, 136, 25);

  // Settings page.
  place(chkServ_.widget(), 12, tab + 14, pageWidth - 24, 20);
  place(Label43_.widget(), 12, tab + 46, pageWidth - 24, 18);
  place(optLang_.widget(), 12, tab + 66, 150, 25);
  place(Command7_.widget(), 170, tab + 66, 130, 25);
}

}  // namespace ferrowick::ui
