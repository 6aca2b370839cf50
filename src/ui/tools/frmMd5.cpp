#include "ui/tools/frmMd5.h"

#include <QFontDatabase>
#include <algorithm>

#include "runtime/App.h"
#include "runtime/AsciiCase.h"
#include "runtime/BusyScope.h"
#include "runtime/FileDialog.h"
#include "runtime/Host.h"
#include "services/modLanguage.h"
#include "services/modMd5.h"
#include "ui/tools/ToolWindow.h"

namespace ferrowick::ui {

using services::Text;

frmMd5::frmMd5(QWidget* owner, frmMd5Context context)
    : QWidget(owner, Qt::Dialog), context_(context) {
  setAttribute(Qt::WA_DeleteOnClose);
  Command1_.setCaption("...");
  Command2_.setCaption("...");
  Command1_.onClick = [this] { Command1_Click(); };
  Command2_.onClick = [this] { Command2_Click(); };
  Command3_.onClick = [this] { Command3_Click(); };
  Command4_.onClick = [this] { Command4_Click(); };
  layOut();
  Form_Load();
}

namespace {
constexpr int kWidth = 470;
constexpr int kMargin = 12;
constexpr int kCaptionWidth = 92;
constexpr int kRow = 24;
constexpr int kBrowseWidth = 30;
constexpr int kFrameHeight = 92;

// One file's frame: the path with its browse button, then the sum below it.
void layOutFrame(QtFrame& frame, int top, QtLabel& pathCaption, QtTextBox& path, QWidget& picture,
                 QtButton& browse, QtLabel& sumCaption, QtTextBox& sum) {
  const int inner = kWidth - 2 * kMargin;
  frame.widget().setGeometry(kMargin, top, inner, kFrameHeight);
  const int field = 10 + kCaptionWidth + 4;
  const int right = inner - 10;
  pathCaption.widget().setGeometry(10, 26, kCaptionWidth, kRow);
  path.widget().setGeometry(field, 26, right - field - kBrowseWidth - 4, kRow);
  picture.setGeometry(right - kBrowseWidth, 26, kBrowseWidth, kRow);
  browse.widget().setGeometry(0, 0, kBrowseWidth, kRow);
  sumCaption.widget().setGeometry(10, 56, kCaptionWidth, kRow);
  sum.widget().setGeometry(field, 56, right - field, kRow);
  for (QtLabel* caption : {&pathCaption, &sumCaption}) {
    caption->widget().setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  // The path is shown, not typed: read-only on the button face.
  path.widget().setReadOnly(true);
  QPalette face = path.widget().palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  path.widget().setPalette(face);
  // Sums are easier to compare digit by digit in a fixed-pitch font.
  sum.widget().setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}
}  // namespace

void frmMd5::layOut() {
  const int inner = kWidth - 2 * kMargin;
  Label5_.widget().setGeometry(kMargin, 10, inner, 36);
  Label5_.widget().setWordWrap(true);
  Label5_.widget().setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layOutFrame(Frame1_, 50, Label1_, Text1_, *Picture1_, Command1_, Label3_, Text3_);
  layOutFrame(Frame2_, 50 + kFrameHeight + 8, Label2_, Text2_, *Picture2_, Command2_, Label4_,
              Text4_);
  const int buttons = 50 + 2 * kFrameHeight + 8 + 12;
  Command3_.widget().setGeometry(kMargin, buttons, 110, 28);
  Command4_.widget().setGeometry(kWidth - kMargin - 110, buttons, 110, 28);
  setFixedSize(kWidth, buttons + 28 + kMargin);

  // The compare button comes first, then close, then each frame's controls.
  QWidget* order[] = {&Command3_.widget(), &Command4_.widget(), &Text1_.widget(),
                      &Command1_.widget(), &Text3_.widget(),    &Text2_.widget(),
                      &Command2_.widget(), &Text4_.widget()};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  Command3_.widget().setFocus();
}

void frmMd5::Show() { bringForward(*this); }

void frmMd5::Form_Load() {
  const services::modLanguage& lang = context_.lang;
  form_.setCaption(lang.text(Text::Md5Title));
  Label5_.setCaption(lang.text(Text::Md5Intro));
  Frame1_.setCaption(lang.text(Text::Md5FirstFile));
  Frame2_.setCaption(lang.text(Text::Md5SecondFile));
  Label1_.setCaption(lang.text(Text::Md5FirstFileName));
  Label3_.setCaption(lang.text(Text::Md5FirstSum));
  Label2_.setCaption(lang.text(Text::Md5SecondFileName));
  Label4_.setCaption(lang.text(Text::Md5SecondSum));
  Command3_.setCaption(lang.text(Text::Compare));
  Command4_.setCaption(lang.text(Text::Close));
}

// A cancelled dialog changes nothing: the boxes keep what they show.
void frmMd5::browse(QtTextBox& path, QtTextBox& sum) {
  const std::string chosen =
      context_.files.openFile(context_.lang.text(Text::AllFiles) + " ", "*.*", cd1FileName_);
  if (chosen.empty()) return;
  cd1FileName_ = chosen;
  path.setText(chosen);
  // The window waits for the sum; FileMD5 reports every failure as "" and never raises.
  const std::string md5 = [&] {
    const runtime::BusyScope busy(context_.host.pointer);
    return services::modMd5::FileMD5(chosen);
  }();
  sum.setText(md5);
}

void frmMd5::Command1_Click() { browse(Text1_, Text3_); }

void frmMd5::Command2_Click() { browse(Text2_, Text4_); }

// An empty box holds no sum, so it never matches: not another empty box either. A sum
// reads the same in capitals, as published sums often are.
void frmMd5::Command3_Click() {
  const std::string first = Text3_.text();
  const std::string second = Text4_.text();
  const bool same = !first.empty() && first.size() == second.size() &&
                    std::equal(first.begin(), first.end(), second.begin(), [](char a, char b) {
                      return runtime::asciiLower(a) == runtime::asciiLower(b);
                    });
  context_.host.messages.show(context_.lang.text(same ? Text::Md5Match : Text::Md5Differ),
                              runtime::MsgIcon::Information, context_.app.title());
}

void frmMd5::Command4_Click() { close(); }

}  // namespace ferrowick::ui
