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

  runtime::Window& form() override { return form_; }
  runtime::ListBox& lstSource() override { return lstSource_; }
  runtime::FolderList& dirSource() override { return dirSource_; }
  runtime::ListBox& fileSource() override { return fileSource_; }
  runtime::TextBox& txtSelected2() override { return txtSelected2_; }
  runtime::CheckBox& chkCustom() override { return chkCustom_; }
  runtime::TextBox& txtCusDir() override { return txtCusDir_; }
  runtime::OptionButton& optAnd() override { return optAnd_; }
  runtime::OptionButton& optOr() override { return optOr_; }
  runtime::CheckBox& chkDated() override { return chkDated_; }
  runtime::ComboBox& cmbSep() override { return cmbSep_; }
  runtime::TextBox& txtDest() override { return txtDest_; }
  runtime::OptionButton& Option3() override { return Option3_; }
  runtime::OptionButton& optAlways() override { return optAlways_; }
  runtime::OptionButton& optEach() override { return optEach_; }
  runtime::TextBox& MaskEdBox1() override { return MaskEdBox1_; }
  runtime::TextBox& MaskEdBox2() override { return MaskEdBox2_; }
  runtime::OptionButton& optDaily() override { return optDaily_; }
  runtime::CheckBox& chkDays(int index) override;
  runtime::CheckBox& chkIncr() override { return chkIncr_; }
  runtime::CheckBox& chkLog() override { return chkLog_; }
  runtime::CheckBox& chkServ() override { return chkServ_; }
  runtime::Label& Label10() override { return Label10_; }
  runtime::Label& Label11() override { return Label11_; }
  runtime::Label& Label12() override { return Label12_; }
  runtime::Label& Label13() override { return Label13_; }
  runtime::Label& Label14() override { return Label14_; }
  runtime::Page& xt1() override { return xt1_; }
  runtime::Page& xt2() override { return xt2_; }
  runtime::Page& xt3() override { return xt3_; }
  runtime::Page& xt4() override { return xt4_; }
  runtime::Page& xt5() override { return xt5_; }

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
