#include "usb/UsbPrinterId.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/SetupStrings.h"
#include "usb/UsbInterfaceLibrary.h"
#include "usb/UsbLibraryContract.h"
#include "usb/UsbPortNumber.h"

namespace kv {
namespace {

// The first index whose device opens, with its handle.
std::optional<int32_t> OpenFirstDevice(UsbInterfaceLibrary& library) {
  for (int32_t index = 0; index < kUsbDeviceSlots; ++index) {
    int32_t handle = library.OpenDevice(index);
    if (UsbInterfaceLibrary::IsValidHandle(handle)) return handle;
  }
  return std::nullopt;
}

}  // namespace

int32_t ReadUsbPrinterId(Modules& modules, MessagePresenter& messages) {
  UsbInterfaceLibrary library(modules);
  if (!library.loaded()) {
    messages.Show(setup_text::kCannotLoadUsbLibrary);
    return kUsbNoDevice;
  }
  if (!library.Bind({kOpenDeviceExport, kGetDescriptorExport, kCloseDeviceExport})) {
    messages.Show(setup_text::kOpenFunctionError);
    return kUsbNoDevice;
  }

  int devices = 0;
  for (int32_t index = 0; index < kUsbDeviceSlots; ++index) {
    const UsbDeviceHandle device(library.OpenDevice(index), UsbDeviceTraits{&library});
    if (UsbInterfaceLibrary::IsValidHandle(device.get()) && ++devices == 2) {
      messages.Show(SetupString(setup_text::kConnectOnePrinter));
      return kUsbSeveralDevices;
    }
  }

  std::optional<int32_t> opened = OpenFirstDevice(library);
  if (!opened) return kUsbNoDevice;
  const UsbDeviceHandle device(*opened, UsbDeviceTraits{&library});

  std::array<uint8_t, kDescriptorBufferSize> descriptor{};
  if (!library.GetDescriptor(device.get(), descriptor)) {
    messages.Show(setup_text::kGetDeviceIdError);
    return kUsbNoDevice;
  }
  return descriptor[kPrinterIdOffset] | (descriptor[kPrinterIdOffset + 1] << 8);
}

bool WriteUsbPrinterId(Modules& modules, MessagePresenter& messages, uint8_t portNumber) {
  if (portNumber == 0 || portNumber > kUsbDeviceSlots) return false;

  UsbInterfaceLibrary library(modules);
  if (!library.loaded()) {
    messages.Show(setup_text::kCannotLoadUsbLibrary);
    return false;
  }
  if (!library.Bind({kOpenDeviceExport, kWriteExport, kCloseDeviceExport})) {
    messages.Show(setup_text::kOpenFunctionError);
    return false;
  }

  std::optional<int32_t> opened = OpenFirstDevice(library);
  if (!opened) {
    messages.Show(setup_text::kUsbDeviceNotFound);
    return false;
  }
  const UsbDeviceHandle device(*opened, UsbDeviceTraits{&library});

  std::array<uint8_t, kSetIdCommandSize> command{};
  std::copy(kSetIdPrefix.begin(), kSetIdPrefix.end(), command.begin());
  command.back() = UsbPrinterIdForPort(portNumber);
  if (library.Write(device.get(), command) <= 0) {
    messages.Show(setup_text::kWriteIdError);
    return false;
  }
  return true;
}

}  // namespace kv
