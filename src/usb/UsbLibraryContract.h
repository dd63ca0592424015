#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kv {

// The maker's USB interface library, loaded by its bare name so that the
// program's own directory is searched first. Its exports are undecorated
// __stdcall functions; every argument and result is a 32-bit integer (a
// buffer is passed by its address):
//   OpenDeviceX(index 0..7)               -> device handle; 0 or -1 means none
//   CloseDevice(handle)                   -> ignored
//   GetDescriptor(handle, buffer)         -> non-zero on success; the buffer
//                                            (20 bytes) then holds the 18-byte
//                                            USB device descriptor
//   uWrite(handle, 0, bytes, count)       -> bytes written; > 0 is success
inline constexpr std::string_view kUsbLibraryName = "KvUsbInt.dll";
inline constexpr std::string_view kOpenDeviceExport = "OpenDeviceX";
inline constexpr std::string_view kCloseDeviceExport = "CloseDevice";
inline constexpr std::string_view kGetDescriptorExport = "GetDescriptor";
inline constexpr std::string_view kWriteExport = "uWrite";

inline constexpr int32_t kUsbDeviceSlots = 8;
inline constexpr size_t kDescriptorBufferSize = 20;
// The device release number field of the device descriptor carries the ID.
inline constexpr size_t kPrinterIdOffset = 12;

// Set-ID command: ESC, the printer's fixed command code, then the new ID.
inline constexpr std::array<uint8_t, 9> kSetIdPrefix = {0x1B, 0x6B, 0x51, 0x2A, 0xC6,
                                                        0x0B, 0x3E, 0x58, 0x21};
inline constexpr size_t kSetIdCommandSize = kSetIdPrefix.size() + 1;

}  // namespace kv
