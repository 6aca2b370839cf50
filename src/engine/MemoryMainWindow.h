#pragma once

#include <array>

#include "engine/MainWindowView.h"
#include "runtime/controls/MemoryControls.h"

namespace ferrowick::engine {

// The main window's engine-facing controls in memory, in their design-time state.
// Tests and headless runs wire handlers onto the members where they need them.
class MemoryMainWindow : public MainWindowView {
 public:
  MemoryMainWindow();

  // engine::MainWindowView: each listed control returns its member `name_`.
  FERROWICK_MAIN_WINDOW_CONTROLS(FERROWICK_MAIN_WINDOW_ACCESSOR)
  runtime::CheckBox& chkDays(int index) override;

  runtime::MemoryWindow form_;
  runtime::MemoryListBox lstSource_{true};
  runtime::MemoryFolderList dirSource_;
  runtime::MemoryListBox fileSource_;
  runtime::MemoryTextBox txtSelected2_{"/"};
  runtime::MemoryCheckBox chkCustom_;
  runtime::MemoryTextBox txtCusDir_;
  runtime::OptionGroup namingGroup_;
  runtime::MemoryOptionButton optAnd_{namingGroup_};
  runtime::MemoryOptionButton optOr_{namingGroup_};
  runtime::MemoryCheckBox chkDated_;
  runtime::MemoryComboBox cmbSep_;
  runtime::MemoryTextBox txtDest_;
  runtime::OptionGroup scheduleGroup_;
  runtime::MemoryOptionButton Option3_{scheduleGroup_, true};
  runtime::MemoryOptionButton optAlways_{scheduleGroup_};
  runtime::MemoryOptionButton optEach_{scheduleGroup_};
  runtime::MemoryMaskedEdit MaskEdBox1_;
  runtime::MemoryMaskedEdit MaskEdBox2_;
  runtime::OptionGroup dailyGroup_;
  runtime::MemoryOptionButton optDaily_{dailyGroup_, true};
  std::array<runtime::MemoryCheckBox, 7> chkDays_;
  runtime::MemoryCheckBox chkIncr_;
  runtime::MemoryCheckBox chkLog_{runtime::CheckState::Checked};
  runtime::MemoryCheckBox chkServ_;
  runtime::MemoryLabel Label10_, Label11_, Label12_, Label13_, Label14_;
  runtime::MemoryPage xt1_{true}, xt2_, xt3_, xt4_, xt5_;
};

}  // namespace ferrowick::engine
