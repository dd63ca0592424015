#pragma once

#include <string>

#include "platform/Machine.h"
#include "wizard/ControlClasses.h"
#include "wizard/WizardPage.h"

namespace kv {

// Page 0: the licence text of the medium and the Accept/Reject choice that
// enables or disables the wizard's Next button.
class LicensePage : public WizardPage {
 public:
  LicensePage(Machine& machine, ControlClasses& controlClasses, std::string applicationName);

  void OnInit(Controls& controls) override;
  bool OnPageCommand(Controls& controls, int id, int code) override;

  // False when License.txt could not be read (the page then ended the wizard).
  bool textLoaded() const { return textLoaded_; }

 private:
  Machine& machine_;
  ControlClasses& controlClasses_;
  std::string applicationName_;
  bool textLoaded_ = true;
};

// The licence file's bytes as the page shows them: up to the first zero byte.
std::string LicenseText(std::string fileBytes);

}  // namespace kv
