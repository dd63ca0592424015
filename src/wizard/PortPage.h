#pragma once

#include <cstdint>
#include <string>

#include "install/SerialLineSettings.h"
#include "wizard/ControlClasses.h"
#include "wizard/SetupType.h"
#include "wizard/WizardPage.h"

namespace kv {

// Page 4: the port and the serial line settings. This part holds the page's
// creation and the baud rate preset that the wizard applies on the way in.
class PortPage : public WizardPage {
 public:
  explicit PortPage(ControlClasses& controlClasses) : controlClasses_(controlClasses) {}

  void OnInit(Controls& controls) override;

  // The model's preset: the baud value is the number, the list row the one
  // of that number, or the "38400" row for a number the list lacks.
  void PresetBaudRate(Controls& controls, int32_t baudRate);

  const SerialLineSettings& serial() const { return serial_; }

 private:
  ControlClasses& controlClasses_;
  // The page's own defaults until the wizard presets the baud rate.
  SerialLineSettings serial_{0, 8, 1.0, 'n', 'p'};
  std::string rememberedModel_ = "PRINTER";
  SetupType rememberedSetupType_ = SetupType::Typical;
};

// The row of the baud rate list for a preset number.
int BaudRateRow(int32_t baudRate);

}  // namespace kv
