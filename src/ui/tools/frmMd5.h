#pragma once

#include <QWidget>
#include <string>

#include "ui/host/controls/QtButton.h"
#include "ui/host/controls/QtFrame.h"
#include "ui/host/controls/QtLabel.h"
#include "ui/host/controls/QtTextBox.h"
#include "ui/host/controls/QtWindow.h"
#include "ui/tools/WindowContext.h"

namespace ferrowick::runtime {
class FileDialog;
}  // namespace ferrowick::runtime

namespace ferrowick::ui {

// What the MD5 tool works with, handed in by whoever opens it.
struct frmMd5Context : WindowContext {
  runtime::FileDialog& files;
};

// The MD5 compare tool: two files, their sums (which may also be typed or pasted), a
// compare button. Closing the window destroys it, so the next opening starts empty.
class frmMd5 : public QWidget {
 public:
  // Builds and loads the window, owned by `owner`; Show() puts it on the screen.
  frmMd5(QWidget* owner, frmMd5Context context);

  // Shows the window modeless, or brings it forward when it is shown already.
  void Show();

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();

 private:
  frmMd5Context context_;
  // The dialog's file name: the last accepted pick of either button.
  std::string cd1FileName_;

  void browse(QtTextBox& path, QtTextBox& sum);
  void layOut();

 public:
  QtWindow form_{*this};
  QtLabel Label5_{this};
  QtFrame Frame1_{this};
  QtLabel Label1_{&Frame1_.widget()};
  QtTextBox Text1_{&Frame1_.widget()};
  QWidget* Picture1_ = new QWidget(&Frame1_.widget());
  QtButton Command1_{Picture1_};
  QtLabel Label3_{&Frame1_.widget()};
  QtTextBox Text3_{&Frame1_.widget()};
  QtFrame Frame2_{this};
  QtLabel Label2_{&Frame2_.widget()};
  QtTextBox Text2_{&Frame2_.widget()};
  QWidget* Picture2_ = new QWidget(&Frame2_.widget());
  QtButton Command2_{Picture2_};
  QtLabel Label4_{&Frame2_.widget()};
  QtTextBox Text4_{&Frame2_.widget()};
  QtButton Command3_{this};
  QtButton Command4_{this};
};

}  // namespace ferrowick::ui
