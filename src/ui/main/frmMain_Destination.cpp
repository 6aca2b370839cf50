// The destination page: the base folder, the naming choices and the preview `txtDest`.
// Each handler runs nested in the one whose change set it off, so the settings load
// leaves the preview and the flags as a user's edits in the same order would.
#include "runtime/Host.h"
#include "services/modBrowseFolder.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

using runtime::CheckState::Checked;
using runtime::CheckState::Unchecked;

void frmMain::wireDestination() {
  Command1_.onClick = [this] { Command1_Click(); };
  txtSelected2_.onChange = [this] { txtSelected2_Change(); };
  chkCustom_.onClick = [this] { chkCustom_Click(); };
  txtCusDir_.onChange = [this] { txtCusDir_Change(); };
  chkDated_.onClick = [this] { chkDated_Click(); };
  optAnd_.onClick = [this] { optAnd_Click(); };
  optOr_.onClick = [this] { optOr_Click(); };
  cmbSep_.onChange = [this] { cmbSep_Change(); };
  cmdReset_.onClick = [this] { cmdReset_Click(); };
  txtDest_.onChange = [this] { txtDest_Change(); };
}

void frmMain::CustomDir(bool bCustName, bool bDated, bool bBoth) {
  engine_.destination.CustomDir(bCustName, bDated, bBoth);
}

std::string frmMain::GetDateFormat() const { return engine_.destination.GetDateFormat(); }

void frmMain::Command1_Click() {
  const std::string chosen = services::modBrowseFolder::BrowseForFolder(
      context_.host.folders, context_.lang, browseStart());
  if (!chosen.empty()) txtSelected2_.setText(chosen);
}

void frmMain::txtSelected2_Change() { txtDest_.setText(txtSelected2_.text()); }

// Unticking ends every naming choice, name and date together included, so a later
// preview joins them only when "and" is chosen again.
void frmMain::chkCustom_Click() {
  if (chkCustom_.value() == Checked) {
    Frame1_.setEnabled(true);
    return;
  }
  engine_.destination.bBoth = false;
  Frame1_.setEnabled(false);
  txtDest_.setText(txtSelected2_.text());
  txtCusDir_.setText("");
  chkDated_.setValue(Unchecked);
  optAnd_.setValue(false);
  optOr_.setValue(false);
}

void frmMain::txtCusDir_Change() {
  const bool named = !txtCusDir_.text().empty();
  engine_.destination.bCustName = named;
  optAnd_.widget().setEnabled(named);
  const auto& d = engine_.destination;
  CustomDir(d.bCustName, d.bDated, d.bBoth);
}

void frmMain::chkDated_Click() {
  engine_.destination.bDated = chkDated_.value() == Checked;
  const auto& d = engine_.destination;
  CustomDir(d.bCustName, d.bDated, d.bBoth);
}

void frmMain::optAnd_Click() {
  if (optAnd_.value()) {
    chkDated_.setValue(Checked);
    engine_.destination.bBoth = true;
  }
  const auto& d = engine_.destination;
  CustomDir(d.bCustName, d.bDated, d.bBoth);
}

void frmMain::optOr_Click() {
  if (optOr_.value()) {
    chkDated_.setValue(Checked);
    engine_.destination.bCustName = false;
    engine_.destination.bBoth = false;
  }
  const auto& d = engine_.destination;
  CustomDir(d.bCustName, d.bDated, d.bBoth);
}

void frmMain::cmbSep_Change() {
  const auto& d = engine_.destination;
  CustomDir(d.bCustName, d.bDated, d.bBoth);
}

void frmMain::cmdReset_Click() {
  engine_.destination.bBoth = false;
  txtCusDir_.setText("");
  cmbSep_.setText("");
  txtDest_.setText(txtSelected2_.text());
  chkDated_.setValue(Unchecked);
  chkCustom_.setValue(Unchecked);
  optAnd_.setValue(false);
  optOr_.setValue(false);
}

void frmMain::txtDest_Change() { chkCustom_.widget().setEnabled(!txtDest_.text().empty()); }

}  // namespace ferrowick::ui
