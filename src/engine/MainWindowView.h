#pragma once

#include "runtime/controls/Controls.h"

namespace ferrowick::engine {

// The controls of the main window that the engine reads and writes, by their names.
// The settings live in them while the program runs.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  virtual runtime::Window& form() = 0;

  // Sources page.
  virtual runtime::ListBox& lstSource() = 0;
  virtual runtime::FolderList& dirSource() = 0;
  virtual runtime::ListBox& fileSource() = 0;

  // Destination page.
  virtual runtime::TextBox& txtSelected2() = 0;
  virtual runtime::CheckBox& chkCustom() = 0;
  virtual runtime::TextBox& txtCusDir() = 0;
  virtual runtime::OptionButton& optAnd() = 0;
  virtual runtime::OptionButton& optOr() = 0;
  virtual runtime::CheckBox& chkDated() = 0;
  virtual runtime::ComboBox& cmbSep() = 0;
  virtual runtime::TextBox& txtDest() = 0;

  // Schedule page.
  virtual runtime::OptionButton& Option3() = 0;
  virtual runtime::OptionButton& optAlways() = 0;
  virtual runtime::OptionButton& optEach() = 0;
  virtual runtime::TextBox& MaskEdBox1() = 0;
  virtual runtime::TextBox& MaskEdBox2() = 0;
  virtual runtime::OptionButton& optDaily() = 0;
  // Index 1 = Sunday to 7 = Saturday.
  virtual runtime::CheckBox& chkDays(int index) = 0;
  virtual runtime::CheckBox& chkIncr() = 0;
  virtual runtime::CheckBox& chkLog() = 0;

  // Settings page.
  virtual runtime::CheckBox& chkServ() = 0;

  // Information page status lines.
  virtual runtime::Label& Label10() = 0;
  virtual runtime::Label& Label11() = 0;
  virtual runtime::Label& Label12() = 0;
  virtual runtime::Label& Label13() = 0;
  virtual runtime::Label& Label14() = 0;

  virtual runtime::Page& xt1() = 0;
  virtual runtime::Page& xt2() = 0;
  virtual runtime::Page& xt3() = 0;
  virtual runtime::Page& xt4() = 0;
  virtual runtime::Page& xt5() = 0;
};

}  // namespace ferrowick::engine
