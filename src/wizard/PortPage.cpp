#include "wizard/PortPage.h"

#include <array>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/SetupStrings.h"
#include "config/PortOption.h"
#include "usb/UsbDriverFiles.h"
#include "usb/UsbPrinterId.h"
#include "wizard/PortList.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

constexpr std::array<std::string_view, 10> kBaudRates = {
    "110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
constexpr int kBaudRateOtherRow = 7;  // "38400"
constexpr int32_t kBaudRateOther = 38400;
constexpr std::array<std::string_view, 4> kByteSizes = {"5", "6", "7", "8"};
constexpr std::array<std::string_view, 5> kParities = {"Even", "Mark", "None", "Odd", "Space"};
constexpr std::array<std::string_view, 3> kStopBits = {"1", "1.5", "2"};
constexpr std::array<std::string_view, 3> kProtocols = {"None", "Xon/Xoff", "Hardware"};
constexpr std::array<int, 5> kSerialLists = {IDC_BAUD_RATE, IDC_BYTE_SIZE, IDC_PARITY,
                                             IDC_STOP_BITS, IDC_PROTOCOL};
constexpr std::array<int, 3> kHintLines = {IDC_USB_HINT_1, IDC_USB_HINT_2, IDC_USB_HINT_3};
constexpr std::array<int, 3> kHintTexts = {
    setup_text::kUsbHintConnect, setup_text::kUsbHintCancelPopup, setup_text::kUsbHintPressInstall};

constexpr Color kHintText = Rgb(0, 0, 255);
constexpr Color kHintBackground = Rgb(255, 202, 253);
constexpr int kTooltipWidth = 200;

template <size_t N>
void Fill(Controls& controls, int id, const std::array<std::string_view, N>& entries,
          int selected) {
  for (std::string_view entry : entries) controls.AddItem(id, entry);
  if (selected >= 0) controls.Select(id, selected);
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool ShowsDriverHints(OsFamily family) {
  return family != OsFamily::Win98 && family != OsFamily::NT4;
}

std::string SelectedText(Controls& controls, int id) {
  const int selected = controls.Selection(id);
  return selected >= 0 ? controls.ItemText(id, selected) : std::string();
}

}  // namespace

int BaudRateRow(int32_t baudRate) {
  // The table has no row for 38400 itself: every number it lacks maps there.
  constexpr std::array<int32_t, 9> kPresets = {110,  300,   1200,  2400,  4800,
                                               9600, 19200, 57600, 115200};
  constexpr std::array<int, 9> kRows = {0, 1, 2, 3, 4, 5, 6, 8, 9};
  for (size_t i = 0; i < kPresets.size(); ++i) {
    if (kPresets[i] == baudRate) return kRows[i];
  }
  return kBaudRateOtherRow;
}

PortPage::PortPage(Machine& machine, ControlClasses& controlClasses, std::string applicationName)
    : machine_(machine),
      controlClasses_(controlClasses),
      messages_(machine.desktop, std::move(applicationName)),
      configuration_(machine) {}

void PortPage::OnInit(Controls& controls) {
  serial_.byteSize = 8;
  serial_.stopBits = 1.0;
  serial_.parity = 'n';
  serial_.flowControl = 'p';
  Fill(controls, IDC_BAUD_RATE, kBaudRates, -1);
  Fill(controls, IDC_BYTE_SIZE, kByteSizes, 3);
  Fill(controls, IDC_PARITY, kParities, 2);
  Fill(controls, IDC_STOP_BITS, kStopBits, 0);
  Fill(controls, IDC_PROTOCOL, kProtocols, 2);
  controls.SetTooltip(IDC_RASTER, SetupString(setup_text::kPressF1), kTooltipWidth);
  for (int hint : kHintLines) {
    controlClasses_.BindColorLabel(controls, hint, kHintText, kHintBackground, 14, "Arial");
  }
  listBuilt_ = false;
}

bool PortPage::Save(Controls& controls) {
  raster_ = controls.Checked(IDC_RASTER) ? 1 : 0;
  return true;
}

void PortPage::PresetBaudRate(Controls& controls, int32_t baudRate) {
  serial_.baudRate = baudRate != 0 ? baudRate : kBaudRateOther;
  controls.Select(IDC_BAUD_RATE, BaudRateRow(baudRate));
}

void PortPage::BuildPortList(Controls& controls, std::string_view modelName, OsFamily family,
                             int32_t moduleIndex, SetupType setupType) {
  family_ = family;
  if (listBuilt_ && modelName == rememberedModel_ && setupType == rememberedSetupType_) return;
  listBuilt_ = true;
  rememberedModel_ = modelName;
  rememberedSetupType_ = setupType;

  const auto module = static_cast<PrinterModule>(moduleIndex);
  const bool usbSupported =
      ReadPortOption(configuration_, module, modelName, PortOption::UsbSupported) != 0;
  const bool lptDefault =
      ReadPortOption(configuration_, module, modelName, PortOption::LptDefault) != 0;
  const int32_t usbId = ReadUsbPrinterId(machine_.modules, messages_);

  controls.ClearItems(IDC_PORTS);
  for (const std::string& entry : PortEntries(modelName, family, usbSupported, setupType)) {
    controls.AddItem(IDC_PORTS, entry);
  }
  std::vector<std::string> listed;
  for (int i = 0; i < controls.ItemCount(IDC_PORTS); ++i) {
    listed.push_back(controls.ItemText(IDC_PORTS, i));
  }

  const int chosen = ChoosePortEntry(listed, usbSupported, usbId, lptDefault, setupType);
  controls.Select(IDC_PORTS, chosen);
  // A printer that answers while no USB entry fits leaves no current port,
  // never the name of an earlier build: the Install command then asks for one.
  portName_ = chosen >= 0 ? listed[static_cast<size_t>(chosen)] : std::string();
  if (usbSupported && usbId != kUsbNoDevice) EnableSerialLists(controls, false);

  ApplyPortStates(controls);
  controls.Show(IDC_RASTER, setupType == SetupType::Advanced);
  PushValues(controls);
}

void PortPage::ApplyPortStates(Controls& controls) {
  if (portName_.empty()) {
    ShowDriverHints(controls, false);
    controls.Enable(IDC_RASTER, false);
    raster_ = 0;
  } else if (Contains(portName_, "USB")) {
    if (ShowsDriverHints(family_)) ApplyDriverHint(controls);
    controls.Enable(IDC_RASTER, true);
    raster_ = 1;
  } else if (Contains(portName_, "LPT")) {
    ShowDriverHints(controls, false);
    controls.Enable(IDC_RASTER, true);
    raster_ = 1;
    EnableSerialLists(controls, false);
  } else {
    EnableSerialLists(controls, true);
    ShowDriverHints(controls, false);
    controls.Enable(IDC_RASTER, false);
    raster_ = 0;
  }
}

bool PortPage::OnPageCommand(Controls& controls, int id, int code) {
  if (code != kCbnSelChange) return false;
  if (id == IDC_PORTS) {
    PortChanged(controls);
    return true;
  }
  for (int list : kSerialLists) {
    if (list == id) {
      SerialListChanged(controls, id);
      return true;
    }
  }
  return false;
}

void PortPage::PortChanged(Controls& controls) {
  portName_ = SelectedText(controls, IDC_PORTS);
  if (Contains(portName_, "COM")) {
    EnableSerialLists(controls, true);
    controls.Enable(IDC_RASTER, false);
    ShowDriverHints(controls, false);
    raster_ = 0;
  } else {
    EnableSerialLists(controls, false);
    controls.Enable(IDC_RASTER, true);
    raster_ = 1;
    if (Contains(portName_, "USB")) {
      if (ShowsDriverHints(family_)) ApplyDriverHint(controls);
    } else {
      ShowDriverHints(controls, false);
    }
  }
  PushValues(controls);
}

void PortPage::SerialListChanged(Controls& controls, int id) {
  const std::string text = SelectedText(controls, id);
  switch (id) {
    case IDC_BAUD_RATE:
      serial_.baudRate = std::atoi(text.c_str());
      break;
    case IDC_BYTE_SIZE:
      serial_.byteSize = std::atoi(text.c_str());
      break;
    case IDC_PARITY:
      if (!text.empty()) serial_.parity = text[0];
      break;
    case IDC_STOP_BITS:
      serial_.stopBits = std::strtod(text.c_str(), nullptr);
      break;
    case IDC_PROTOCOL:
      serial_.flowControl = text == "Xon/Xoff" ? 'x' : text == "Hardware" ? 'p' : ' ';
      break;
    default:
      break;
  }
}

void PortPage::EnableSerialLists(Controls& controls, bool enabled) {
  for (int list : kSerialLists) controls.Enable(list, enabled);
}

void PortPage::ShowDriverHints(Controls& controls, bool visible) {
  for (int line : kHintLines) controls.Show(line, visible);
}

void PortPage::ApplyDriverHint(Controls& controls) {
  const bool missing = !IsUsbDriverInstalled(machine_.files, machine_.versions);
  if (missing) {
    for (size_t i = 0; i < kHintLines.size(); ++i) {
      controls.SetText(kHintLines[i], SetupString(kHintTexts[i]));
    }
  }
  ShowDriverHints(controls, missing);
}

void PortPage::PushValues(Controls& controls) {
  controls.Check(IDC_RASTER, raster_ != 0);
}

}  // namespace kv
