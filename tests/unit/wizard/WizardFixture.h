#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimDialogs.h"
#include "sim/SimMachine.h"
#include "sim/SimUsbLibrary.h"
#include "unit/wizard/PlainControlClasses.h"
#include "wizard/ControlClasses.h"

namespace kv {

// The program as C:\Medium\setup.exe, started from its own folder, with the
// dialog templates of its resource script and a small configuration:
//   receipt: QTM-C7 (the default entry), QTM-C7S, QTM-B320; ticket: QTT-T680;
//   label: none; embedded: QEP-E80, QEP-E112, QEP-E58 (listed unsorted).
// Options: QTM-C7S has everything, QTM-C7 no Advanced setup and no Vista,
// QTT-T680 no Server 2003.
struct SetupWorld {
  static constexpr const char* kMedium = "C:\\Medium";

  SetupWorld();

  void WriteConfigFile(const std::string& name, std::string text);
  void WriteSetupIni(std::string text) { WriteConfigFile("setup.ini", std::move(text)); }
  void RemoveMediumFile(const std::string& relativeName);
  // The administrators group is not in the user's token.
  void UseNonAdministrator();
  // The user's part while the wizard is open (the wizard must be ended by it).
  void WhenWizardOpen(std::function<void(sim::SimDialog&)> user);
  // Runs the program; the wizard's result.
  int RunSetup();

  // Message box texts in order.
  std::vector<std::string> MessageTexts();

  sim::SimMachine sim;
  sim::SimDialogs& dialogs = sim.dialogs();
  // The USB library beside the program, with no printer attached.
  sim::SimUsbLibrary usb{sim.modules()};
  PlainControlClasses controlClasses;
  bool wizardOpened = false;
};

class WizardFixture : public ::testing::Test, public SetupWorld {};

// The dialog templates of the program's resource script.
void AddSetupLayouts(sim::SimDialogs& dialogs);

// Pages of an open wizard.
sim::SimDialog& Page(sim::SimDialog& wizard, int templateId);
// The template of the visible page, 0 when none is.
int VisiblePage(sim::SimDialog& wizard);

}  // namespace kv
