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

// Where the pages' controls stand, in pixels from the page's top left corner.
struct frmMain::PageGrid {
  int tab = PageWidget::tabHeight();
  int width = px(kPageWidth);
  int right = width - 12;
  int buttonRow = px(kPageHeight) - 31;
  // The width inside a frame on the page.
  int inFrame = width - 24 - 20;
};

void frmMain::layOut() {
  fixWindowSize();
  for (int number = 1; number <= 5; ++number) {
    page(number).widget().setGeometry(twipsRect(kPageLeft, kPageTop, kPageWidth, kPageHeight));
  }
  const qreal dpr = devicePixelRatioF();
  layOutSidePanel(dpr);
  layOutUpdatePrompt(dpr);
  layOutBadge(dpr);
  layOutBottomStrip(dpr);
  const PageGrid grid;
  layOutInformationPage(grid);
  layOutSourcesPage(grid);
  layOutDestinationPage(grid);
  layOutSchedulePage(grid);
  layOutSettingsPage(grid);
}

void frmMain::fixWindowSize() {
  surface_->setFixedSize(px(kClientWidth), px(kClientHeight));
  // The layout is fixed: the window cannot be stretched or maximised, and still minimises.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint) &
                 ~Qt::WindowMaximizeButtonHint);
}

// The picture, the bars framing each link row, the links in their rows (from the top:
// 1, 2, 5, 4, 3, 7, 6).
void frmMain::layOutSidePanel(qreal dpr) {
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
}

// Below the side panel: a short prompt above the update link and its icon.
void frmMain::layOutUpdatePrompt(qreal dpr) {
  place(Label5_.widget(), 36, 266, 134, 16);
  makeSmall(Label5_);
  Label5_.widget().setForegroundRole(QPalette::PlaceholderText);
  place(Image2_.widget(), 14, 283, 16, 16);
  Image2_.widget().setPicture(artwork::updateIcon(dpr));
  place(Label7_.widget(), 36, 282, 134, 18);
}

// The top right corner of the banner: a badge with the maker and the version.
void frmMain::layOutBadge(qreal dpr) {
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
}

// The strip along the bottom, with the footer on it.
void frmMain::layOutBottomStrip(qreal dpr) {
  place(Image15_.widget(), 0, px(kClientHeight) - 24, px(kClientWidth), 24);
  Image15_.widget().setPicture(artwork::bottomStrip(Image15_.widget().size(), dpr));
  place(lblFooter_.widget(), 12, px(kClientHeight) - 21, px(kClientWidth) - 24, 18);
  lblFooter_.widget().setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblFooter_.widget().setForegroundRole(QPalette::PlaceholderText);
}

void frmMain::layOutInformationPage(const PageGrid& grid) {
  for (QtLabel* label : {&Label3_, &Label20_, &Label10_, &Label14_}) makeWrapping(*label);
  place(Label3_.widget(), 14, grid.tab + 12, grid.width - 28, 72);
  place(Label20_.widget(), 14, grid.tab + 88, grid.width - 28, 64);
  makeHeading(Label16_);
  place(Label16_.widget(), 14, grid.tab + 156, grid.width - 28, 18);
  place(Label10_.widget(), 14, grid.tab + 176, grid.width - 28, 34);
  int line = grid.tab + 212;
  for (QtLabel* label : {&Label11_, &Label12_, &Label13_}) {
    place(label->widget(), 14, line, grid.width - 28, 17);
    line += 18;
  }
  // The summary names the run's end time and date: two lines, up to the button row.
  place(Label14_.widget(), 14, line, grid.width - 28, grid.buttonRow - line);
  place(cmdLog_.widget(), grid.right - 130, grid.buttonRow, 130, 25);
}

// Browsing on the left, the source list on the right.
void frmMain::layOutSourcesPage(const PageGrid& grid) {
  // The browse button is wide enough for its longest caption ("Durchsuchen...").
  const int first = 200;
  const int browse = 106;
  const int second = 12 + first + 12;
  const int list = grid.right - second;
  place(Label18_.widget(), 12, grid.tab + 10, first, 18);
  place(txtSelected_.widget(), 12, grid.tab + 30, first - browse - 4, 24);
  place(BrowseForFolders_.widget(), 12 + first - browse, grid.tab + 30, browse, 24);
  place(txtStart_.widget(), 12, grid.tab + 30, first - browse - 4, 24);
  place(driveSource_.widget(), 12, grid.tab + 30, first - browse - 4, 24);
  place(chkIncSub_.widget(), 12, grid.tab + 58, first, 20);
  place(fileSource_.widget(), 12, grid.tab + 82, first, 176);
  place(cmdAddDir_.widget(), 12, grid.tab + 264, first / 2 - 2, 25);
  place(cmdAddFile_.widget(), 12 + first / 2 + 2, grid.tab + 264, first - first / 2 - 2, 25);
  place(Label17_.widget(), second, grid.tab + 10, list + 8, 18);
  place(lstSource_.widget(), second, grid.tab + 30, list, 228);
  place(cmdExclude_.widget(), second, grid.tab + 264, list / 2 - 2, 25);
  place(cmdClrSoucre_.widget(), second + list / 2 + 2, grid.tab + 264, list - list / 2 - 2, 25);
  place(Command6_.widget(), grid.right - 96, grid.buttonRow, 96, 25);
}

void frmMain::layOutDestinationPage(const PageGrid& grid) {
  makeHeading(Label15_);
  place(Label15_.widget(), 12, grid.tab + 10, grid.width - 24, 18);
  place(Option2_.widget(), 12, grid.tab + 30, grid.width - 24, 20);
  place(Option1_.widget(), 12, grid.tab + 52, grid.width - 24, 20);
  place(Text1_.widget(), 12, grid.tab + 54, grid.width - 64, 24);
  place(Command2_.widget(), grid.right - 34, grid.tab + 54, 34, 24);
  place(Label2_.widget(), 12, grid.tab + 80, grid.width - 24, 18);
  place(txtDest_.widget(), 12, grid.tab + 54, grid.width - 64, 24);
  place(Command1_.widget(), grid.right - 34, grid.tab + 54, 34, 24);
  place(txtSelected2_.widget(), 12, grid.tab + 54, grid.width - 64, 24);
  place(chkCustom_.widget(), 12, grid.tab + 84, grid.width - 24, 20);
  place(Frame1_.widget(), 12, grid.tab + 108, grid.width - 24, 180);
  place(lblCustomDir_.widget(), 10, 26, 130, 20);
  place(txtCusDir_.widget(), 144, 24, grid.inFrame - 134, 24);
  place(*Picture2_, 10, 52, grid.inFrame, 44);
  place(optAnd_.widget(), 0, 0, grid.inFrame, 20);
  place(optOr_.widget(), 0, 22, grid.inFrame, 20);
  place(chkDated_.widget(), 10, 100, grid.inFrame, 20);
  place(Label6_.widget(), 10, 126, 130, 20);
  place(cmbSep_.widget(), 144, 124, 110, 24);
  place(*Picture3_, grid.inFrame - 130 + 10, 144, 130, 28);
  place(cmdReset_.widget(), 0, 2, 130, 25);
  place(Command5_.widget(), grid.right - 196, grid.buttonRow, 96, 25);
  place(Command3_.widget(), grid.right - 96, grid.buttonRow, 96, 25);
}

void frmMain::layOutSchedulePage(const PageGrid& grid) {
  makeHeading(Label19_);
  place(Label19_.widget(), 12, grid.tab + 8, grid.width - 24, 18);
  place(Option3_.widget(), 12, grid.tab + 28, grid.width - 24, 20);
  place(optAlways_.widget(), 12, grid.tab + 52, 196, 20);
  place(MaskEdBox1_.widget(), 212, grid.tab + 50, 56, 24);
  place(lblAlwaysTime(0).widget(), 276, grid.tab + 52, grid.right - 276, 20);
  place(optEach_.widget(), 12, grid.tab + 76, 196, 20);
  place(MaskEdBox2_.widget(), 212, grid.tab + 74, 56, 24);
  place(lblAlwaysTime(1).widget(), 276, grid.tab + 76, grid.right - 276, 20);
  place(Frame2_.widget(), 12, grid.tab + 102, grid.width - 24, 194);
  makeWrapping(Label1_);
  makeSmall(Label1_);
  place(Label1_.widget(), 10, 20, grid.inFrame, 40);
  place(lblWhen_.widget(), 10, 62, 130, 20);
  place(*Picture1_, 144, 62, grid.inFrame - 134, 20);
  place(optDaily_.widget(), 0, 0, grid.inFrame - 134, 20);
  place(Label4_.widget(), 10, 84, grid.inFrame, 18);
  // Monday to Saturday, then Sunday: indexes 2 to 7, then 1.
  const int dayWidth = grid.inFrame / 4;
  constexpr int kDayOrder[] = {2, 3, 4, 5, 6, 7, 1};
  for (int slot = 0; slot < 7; ++slot) {
    auto& day = chkDays_[static_cast<std::size_t>(kDayOrder[slot] - 1)];
    place(day.widget(), 10 + dayWidth * (slot % 4), 104 + 20 * (slot / 4), dayWidth, 20);
  }
  place(chkIncr_.widget(), 10, 148, grid.inFrame, 20);
  place(chkLog_.widget(), 10, 168, grid.inFrame, 20);
  place(Command4_.widget(), grid.right - 236, grid.buttonRow, 96, 25);
  place(cmdBakNow_.widget(), grid.right - 136, grid.buttonRow, 136, 25);
}

void frmMain::layOutSettingsPage(const PageGrid& grid) {
  place(chkServ_.widget(), 12, grid.tab + 14, grid.width - 24, 20);
  place(Label43_.widget(), 12, grid.tab + 46, grid.width - 24, 18);
  place(optLang_.widget(), 12, grid.tab + 66, 150, 25);
  place(Command7_.widget(), 170, grid.tab + 66, 130, 25);
}

}  // namespace ferrowick::ui
