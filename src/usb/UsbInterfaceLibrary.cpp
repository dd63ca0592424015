#include "usb/UsbInterfaceLibrary.h"

#include "usb/UsbLibraryContract.h"

namespace kv {

UsbInterfaceLibrary::UsbInterfaceLibrary(Modules& modules)
    : modules_(modules), library_(modules, kUsbLibraryName) {}

bool UsbInterfaceLibrary::Bind(std::initializer_list<std::string_view> exports) {
  for (std::string_view name : exports) {
    std::optional<ProcHandle> proc = library_.Find(name);
    if (!proc) return false;
    if (name == kOpenDeviceExport) {
      openDevice_ = proc;
    } else if (name == kCloseDeviceExport) {
      closeDevice_ = proc;
    } else if (name == kGetDescriptorExport) {
      getDescriptor_ = proc;
    } else if (name == kWriteExport) {
      write_ = proc;
    }
  }
  return true;
}

int32_t UsbInterfaceLibrary::Invoke(const std::optional<ProcHandle>& proc,
                                    std::initializer_list<ProcArg> args) {
  // Callers bind before they call; an unbound function answers "failed".
  if (!proc) return 0;
  return modules_.Call(*proc, std::span<const ProcArg>(args.begin(), args.size()));
}

int32_t UsbInterfaceLibrary::OpenDevice(int32_t index) {
  return Invoke(openDevice_, {index});
}

void UsbInterfaceLibrary::CloseDevice(int32_t handle) {
  Invoke(closeDevice_, {handle});
}

bool UsbInterfaceLibrary::GetDescriptor(int32_t handle, std::span<uint8_t> buffer) {
  return Invoke(getDescriptor_, {handle, buffer}) != 0;
}

int32_t UsbInterfaceLibrary::Write(int32_t handle, std::span<uint8_t> bytes) {
  return Invoke(write_, {handle, 0, bytes, static_cast<int32_t>(bytes.size())});
}

}  // namespace kv
