#pragma once

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "handles/UniqueHandle.h"
#include "platform/Modules.h"
#include "usb/LoadedLibrary.h"

namespace kv {

// One session with the USB interface library: loaded on construction,
// unloaded on destruction. Only the functions bound with Bind can be called.
class UsbInterfaceLibrary {
 public:
  explicit UsbInterfaceLibrary(Modules& modules);

  bool loaded() const { return library_.loaded(); }
  // Looks the exports up in the given order; false at the first one missing.
  bool Bind(std::initializer_list<std::string_view> exports);

  int32_t OpenDevice(int32_t index);
  void CloseDevice(int32_t handle);
  bool GetDescriptor(int32_t handle, std::span<uint8_t> buffer);
  int32_t Write(int32_t handle, std::span<uint8_t> bytes);

  // The library's "no device" handles are 0 and -1.
  static bool IsValidHandle(int32_t handle) { return handle != 0 && handle != -1; }

 private:
  int32_t Invoke(const std::optional<ProcHandle>& proc, std::initializer_list<ProcArg> args);

  Modules& modules_;
  LoadedLibrary library_;
  std::optional<ProcHandle> openDevice_, closeDevice_, getDescriptor_, write_;
};

// A device handle from OpenDeviceX, passed to CloseDevice when its owner
// goes, whether or not the library calls it valid (0 and -1 included, as the
// library's callers always have): only the owner's own "nothing held", a
// value the library never hands out, is not closed.
struct UsbDeviceTraits {
  using Handle = int32_t;
  UsbInterfaceLibrary* library = nullptr;
  static Handle Invalid() { return INT32_MIN; }
  void Close(Handle device) const { library->CloseDevice(device); }
};
using UsbDeviceHandle = UniqueHandle<UsbDeviceTraits>;

}  // namespace kv
