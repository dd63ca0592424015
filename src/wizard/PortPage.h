#pragma once

#include <cstdint>
#include <string>

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

  int32_t baudRate() const { return baudRate_; }
  int32_t byteSize() const { return byteSize_; }
  double stopBits() const { return stopBits_; }
  char parity() const { return parity_; }
  char flowControl() const { return flowControl_; }

 private:
  ControlClasses& controlClasses_;
  int32_t baudRate_ = 0;
  int32_t byteSize_ = 8;
  double stopBits_ = 1.0;
  char parity_ = 'n';
  char flowControl_ = 'p';
  std::string rememberedModel_ = "PRINTER";
  SetupType rememberedSetupType_ = SetupType::Typical;
};

// The row of the baud rate list for a preset number.
int BaudRateRow(int32_t baudRate);

}  // namespace kv
