#pragma once

#include "runtime/controls/Controls.h"

// The controls of the main window that the engine reaches by name, listed once. The interface
// below and each window that implements it (in memory and on screen) expand this list, so a
// control added or renamed here reaches all three. X(type, name): the control's runtime
// interface and its accessor. `chkDays` takes an index and is written out by hand.
#define FERROWICK_MAIN_WINDOW_CONTROLS(X) \
  X(Window, form)                         \
  /* Sources page. */                     \
  X(ListBox, lstSource)                   \
  X(FolderList, dirSource)                \
  X(ListBox, fileSource)                  \
  /* Destination page. */                 \
  X(TextBox, txtSelected2)                \
  X(CheckBox, chkCustom)                  \
  X(TextBox, txtCusDir)                   \
  X(OptionButton, optAnd)                 \
  X(OptionButton, optOr)                  \
  X(CheckBox, chkDated)                   \
  X(ComboBox, cmbSep)                     \
  X(TextBox, txtDest)                     \
  /* Schedule page. */                    \
  X(OptionButton, Option3)                \
  X(OptionButton, optAlways)              \
  X(OptionButton, optEach)                \
  X(TextBox, MaskEdBox1)                  \
  X(TextBox, MaskEdBox2)                  \
  X(OptionButton, optDaily)               \
  X(CheckBox, chkIncr)                    \
  X(CheckBox, chkLog)                     \
  /* Settings page. */                    \
  X(CheckBox, chkServ)                    \
  /* Information page status lines. */    \
  X(Label, Label10)                       \
  X(Label, Label11)                       \
  X(Label, Label12)                       \
  X(Label, Label13)                       \
  X(Label, Label14)                       \
  /* The pages. */                        \
  X(Page, xt1)                            \
  X(Page, xt2)                            \
  X(Page, xt3)                            \
  X(Page, xt4)                            \
  X(Page, xt5)

// An implementation's accessor for a listed control: it returns the member `name_`.
#define FERROWICK_MAIN_WINDOW_ACCESSOR(type, name) \
  runtime::type& name() override { return name##_; }

namespace ferrowick::engine {

// The controls of the main window that the engine reads and writes, by their names.
// The settings live in them while the program runs.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

#define FERROWICK_MAIN_WINDOW_DECLARE(type, name) virtual runtime::type& name() = 0;
  FERROWICK_MAIN_WINDOW_CONTROLS(FERROWICK_MAIN_WINDOW_DECLARE)
#undef FERROWICK_MAIN_WINDOW_DECLARE

  // Schedule page: index 1 = Sunday to 7 = Saturday.
  virtual runtime::CheckBox& chkDays(int index) = 0;
};

}  // namespace ferrowick::engine
