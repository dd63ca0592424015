#include "install/UsbPortRecords.h"

#include <optional>

#include "common/RegKey.h"
#include "config/UsbPortList.h"
#include "platform/Errors.h"

namespace kv {
namespace {

// INSTALLPRINTER value names longer than this end the enumeration.
constexpr uint32_t kPrinterNameCapacity = 200;

bool OpenOrCreate(RegKey& key, Registry& registry, std::string_view path) {
  if (key.Open(RegRoot::LocalMachine, path)) return true;
  return CreateKey(registry, RegRoot::LocalMachine, path) && key.Open(RegRoot::LocalMachine, path);
}

// The first position of the name in the configured list.
std::optional<uint32_t> PortIndex(const SetupConfiguration& configuration, int32_t count,
                                  std::string_view portName) {
  for (int32_t i = 0; i < count; ++i) {
    if (ReadUsbPortName(configuration, i) == portName) return static_cast<uint32_t>(i);
  }
  return std::nullopt;
}

void MarkNewPortsUnused(Registry& registry, const SetupConfiguration& configuration,
                        int32_t count) {
  RegKey key(registry);
  if (!key.Open(RegRoot::LocalMachine, kUsbPrinterPortKey)) return;
  for (int32_t i = 0; i < count; ++i) {
    const std::string name = ReadUsbPortName(configuration, i);
    // Only a value that is not there is new; one too long to read is not.
    std::string data;
    if (!key.QueryValue(name, &data, 4) && key.lastError() == kErrorFileNotFound) {
      key.WriteDword(name, kUsbPortUnused);
    }
  }
}

void RecordInstalledPrinters(Registry& registry, const SetupConfiguration& configuration,
                             int32_t count) {
  RegKey installed(registry);
  if (!installed.Open(RegRoot::LocalMachine, kInstalledPrintersKey)) return;
  for (uint32_t index = 0;; ++index) {
    std::string printerName;
    uint32_t nameLength = kPrinterNameCapacity;
    if (installed.EnumValue(index, &printerName, &nameLength, nullptr) != kErrorSuccess) break;
    const std::string portName = UsbPortNameOfPrinter(printerName);
    if (auto portIndex = PortIndex(configuration, count, portName)) {
      RegKey portNames(registry);
      if (portNames.Open(RegRoot::LocalMachine, kUsbPortNameKey)) {
        portNames.WriteDword(portName, *portIndex);
      }
    }
  }
}

}  // namespace

std::string UsbPortNameOfPrinter(std::string_view printerName) {
  const size_t open = printerName.find('(');
  if (open == std::string_view::npos) return "USB_" + std::string(printerName);
  std::string portName = "USB_" + std::string(printerName.substr(0, open)) + "_";
  if (open + 4 < printerName.size()) portName += printerName[open + 4];
  return portName;
}

void RecordUsbPort(Machine& machine, const SetupConfiguration& configuration,
                   std::string_view portName) {
  const int32_t count = ReadUsbPortCount(configuration);
  {
    RegKey portNames(machine.registry);
    OpenOrCreate(portNames, machine.registry, kUsbPortNameKey);
    if (auto index = PortIndex(configuration, count, portName)) {
      portNames.WriteDword(portName, *index);
    }
  }
  {
    RegKey printerPorts(machine.registry);
    OpenOrCreate(printerPorts, machine.registry, kUsbPrinterPortKey);
    for (int d = 1; d <= 8; ++d) printerPorts.WriteDword("D" + std::to_string(d), 0);
  }
  MarkNewPortsUnused(machine.registry, configuration, count);
  RecordInstalledPrinters(machine.registry, configuration, count);
}

}  // namespace kv
