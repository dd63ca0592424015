#pragma once

#include "wizard/SetupType.h"
#include "wizard/WizardPage.h"

namespace kv {

// Page 2: Typical or Advanced, with the remark lines that describe the choice.
class SetupTypePage : public WizardPage {
 public:
  void OnInit(Controls& controls) override;
  bool OnPageCommand(Controls& controls, int id, int code) override;

  // For a model without the Advanced setup: Advanced disabled, Typical
  // selected. Otherwise Advanced is enabled and the selection stays.
  void AllowAdvanced(Controls& controls, bool allowed);

  SetupType setupType() const { return setupType_; }

 private:
  void ShowTypical(Controls& controls);
  void ShowAdvanced(Controls& controls);

  SetupType setupType_ = SetupType::Typical;
};

}  // namespace kv
