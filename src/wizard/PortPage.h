#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/MessagePresenter.h"
#include "common/OsFamily.h"
#include "config/SetupConfiguration.h"
#include "install/SerialLineSettings.h"
#include "platform/Machine.h"
#include "wizard/ControlClasses.h"
#include "wizard/SetupType.h"
#include "wizard/WizardPage.h"

namespace kv {

// Page 4: the port the printer is attached to, the serial line settings of a
// serial port and, in an Advanced setup, the raster driver mode. The ports
// offered depend on the family, the model's USB and LPT options and the setup
// type; an attached USB printer preselects the port its stored ID belongs to.
class PortPage : public WizardPage {
 public:
  PortPage(Machine& machine, ControlClasses& controlClasses, std::string applicationName);

  void OnInit(Controls& controls) override;
  bool OnPageCommand(Controls& controls, int id, int code) override;
  // Reads the raster box back.
  bool Save(Controls& controls) override;

  // The model's preset: the baud value is the number, the list row the one
  // of that number, or the "38400" row for a number the list lacks. A model
  // without a baud rate (0) gets the 38400 its row shows.
  void PresetBaudRate(Controls& controls, int32_t baudRate);

  // Fills the port list for the model, family, module and setup type and
  // preselects a port. Does nothing when the model and setup type are those
  // of the last build (the family does not count), so going back and forth
  // keeps the user's choice. The attached USB printer's ID is read on every
  // build, so the USB library's own messages may appear.
  void BuildPortList(Controls& controls, std::string_view modelName, OsFamily family,
                     int32_t moduleIndex, SetupType setupType);

  // The port last read from the list; empty when none could be chosen.
  const std::string& portName() const { return portName_; }
  // 1: raster graphic printing (the driver's graphic mode), 0: standard.
  int32_t raster() const { return raster_; }
  const SerialLineSettings& serial() const { return serial_; }
  int32_t baudRate() const { return serial_.baudRate; }
  int32_t byteSize() const { return serial_.byteSize; }
  double stopBits() const { return serial_.stopBits; }
  char parity() const { return serial_.parity; }
  char flowControl() const { return serial_.flowControl; }

 private:
  void PortChanged(Controls& controls);
  void SerialListChanged(Controls& controls, int id);
  // The state of the controls for the current port after a build.
  void ApplyPortStates(Controls& controls);
  void EnableSerialLists(Controls& controls, bool enabled);
  void ShowDriverHints(Controls& controls, bool visible);
  // Shows the three instruction lines while the USB device driver is missing.
  void ApplyDriverHint(Controls& controls);
  void PushValues(Controls& controls);

  Machine& machine_;
  ControlClasses& controlClasses_;
  StandardMessageBox messages_;
  SetupConfiguration configuration_;
  std::string portName_;
  int32_t raster_ = 0;
  SerialLineSettings serial_{0, 8, 1.0, 'n', 'p'};
  OsFamily family_ = OsFamily::Win98;
  // The key of the list built last; none before the first build, so that
  // every model name, "PRINTER" too, gets its list on its first arrival.
  bool listBuilt_ = false;
  std::string rememberedModel_;
  SetupType rememberedSetupType_ = SetupType::Typical;
};

// The row of the baud rate list for a preset number.
int BaudRateRow(int32_t baudRate);

}  // namespace kv
