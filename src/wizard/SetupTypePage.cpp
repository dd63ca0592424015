#include "wizard/SetupTypePage.h"

#include "common/SetupStrings.h"
#include "wizard/SetupResourceIds.h"

namespace kv {

void SetupTypePage::OnInit(Controls& controls) {
  controls.CheckRadio(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
  setupType_ = SetupType::Typical;
  controls.SetText(IDC_REMARK_1, SetupString(setup_text::kTypicalRemark));
}

void SetupTypePage::ShowTypical(Controls& controls) {
  controls.SetText(IDC_REMARK_1, SetupString(setup_text::kTypicalRemark));
  controls.Show(IDC_REMARK_2, false);
  controls.Show(IDC_REMARK_3, false);
  setupType_ = SetupType::Typical;
}

void SetupTypePage::ShowAdvanced(Controls& controls) {
  controls.SetText(IDC_REMARK_1, SetupString(setup_text::kMultiUsbRemark));
  controls.SetText(IDC_REMARK_2, SetupString(setup_text::kDriverModeRemark));
  controls.Show(IDC_REMARK_2, true);
  controls.Show(IDC_REMARK_3, false);
  setupType_ = SetupType::Advanced;
}

bool SetupTypePage::OnPageCommand(Controls& controls, int id, int code) {
  if (code != kBnClicked) return false;
  if (id == IDC_TYPICAL) {
    ShowTypical(controls);
    return true;
  }
  if (id == IDC_ADVANCED) {
    ShowAdvanced(controls);
    return true;
  }
  return false;
}

void SetupTypePage::AllowAdvanced(Controls& controls, bool allowed) {
  controls.Enable(IDC_ADVANCED, allowed);
  if (allowed) return;
  controls.CheckRadio(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
  ShowTypical(controls);
}

}  // namespace kv
