#pragma once

#include <string>

#include "install/InstallSettings.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "wizard/PortPage.h"
#include "wizard/WizardWindow.h"

namespace kv {

enum class InstallOutcome {
  // Nothing was started: the wizard stays on the port page, usable as it was.
  Abandoned,
  // The installation ran and its outcome was shown; the wizard must end.
  Ran
};

// The Install command on the last page: turns the wizard's selections and
// the port page's values into the installation's settings, checks them,
// handles the USB particulars (device driver, the printer's stored port
// number, the port records), runs the installation on a worker thread behind
// the progress window and shows its outcome, with the restart question on
// Windows 98 and wherever a component in use is replaced when Windows
// restarts. Every press starts afresh from the pages' values, so a second
// press after an abandoned one behaves like the first.
class InstallCommand {
 public:
  InstallCommand(Machine& machine, std::string applicationName);

  // `wizard` is the wizard's window: messages are owned by it, and it is
  // minimised and kept on top while the installation runs.
  InstallOutcome Run(Controls& wizard, const WizardSelections& selections, const PortPage& port);

  // The installation's outcome text, as the installation left it.
  const std::string& installMessage() const { return installMessage_; }

 private:
  // Fills `settings` from the selections and the port page; false abandons.
  bool Prepare(Controls& wizard, const WizardSelections& selections, const PortPage& port,
               InstallSettings& settings);
  // The printer's stored port number against the chosen USB port; false
  // abandons.
  bool CheckUsbPrinterId(Controls& wizard, SetupType setupType, const std::string& portName);
  void AppendPortSuffix(InstallSettings& settings);
  void Execute(Controls& wizard, InstallSettings& settings);
  void Tell(Controls& wizard, std::string_view text);

  Machine& machine_;
  std::string applicationName_;
  std::string installMessage_;
};

}  // namespace kv
