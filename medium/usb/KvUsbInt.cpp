// Stand-in for the maker's USB interface library. Its printers are simulated
// by the device file beside the DLL (see UsbDeviceFile.h); a set-ID command
// written to a printer rewrites that printer's line, so the ID survives the
// unloading of the library as it would in a real printer.
#include <windows.h>

#include <cstring>
#include <string>

#include "handles/WindowsHandles.h"
#include "usb/UsbDeviceFile.h"

namespace {

HINSTANCE thisModule = nullptr;

// Handles carry a tag so that stale or foreign values are refused.
constexpr LONG kHandleTag = 0x4B550000;
constexpr LONG kHandleMask = 0xFFFF0000;

constexpr BYTE kSetIdCommand[9] = {0x1B, 0x6B, 0x51, 0x2A, 0xC6, 0x0B, 0x3E, 0x58, 0x21};
constexpr DWORD kSetIdLength = 10;

constexpr WORD kVendorId = 0x4B56;
constexpr WORD kProductId = 0x0100;

std::string DeviceFilePath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(thisModule, path, MAX_PATH);
  std::string result(path, length < MAX_PATH ? length : 0);
  const size_t slash = result.find_last_of('\\');
  result = slash == std::string::npos ? std::string() : result.substr(0, slash + 1);
  return result + "KvUsbInt.txt";
}

std::string ReadDeviceFile() {
  std::string text;
  kv::FileHandle file(CreateFileA(DeviceFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return text;
  char buffer[1024];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  return text;
}

bool WriteDeviceFile(const std::string& text) {
  kv::FileHandle file(CreateFileA(DeviceFilePath().c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

// The printer a handle stands for, read from the file as it is now: a
// printer removed from the file is unplugged.
bool FindPrinter(LONG handle, const std::string& text, kv::SimulatedUsbPrinter* printer) {
  if ((handle & kHandleMask) != kHandleTag) return false;
  const size_t index = static_cast<size_t>(handle & ~kHandleMask);
  const std::vector<kv::SimulatedUsbPrinter> printers = kv::ParseUsbPrinters(text);
  if (index >= printers.size()) return false;
  *printer = printers[index];
  return true;
}

void StoreWord(BYTE* at, WORD value) {
  at[0] = static_cast<BYTE>(value & 0xFF);
  at[1] = static_cast<BYTE>(value >> 8);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) thisModule = module;
  return TRUE;
}

// Returns a handle for the printer at `index` (0 to 7), or 0 when none is
// attached there.
__declspec(dllexport) LONG WINAPI OpenDeviceX(LONG index) {
  if (index < 0 || index >= static_cast<LONG>(kv::kMaxUsbPrinters)) return 0;
  const size_t count = kv::ParseUsbPrinters(ReadDeviceFile()).size();
  return static_cast<size_t>(index) < count ? kHandleTag | index : 0;
}

__declspec(dllexport) LONG WINAPI CloseDevice(LONG handle) {
  return (handle & kHandleMask) == kHandleTag ? 1 : 0;
}

// Fills the first 18 bytes of `buffer` with the printer's standard USB
// device descriptor. Returns 0 when the handle names no attached printer.
__declspec(dllexport) LONG WINAPI GetDescriptor(LONG handle, BYTE* buffer) {
  kv::SimulatedUsbPrinter printer;
  if (buffer == nullptr || !FindPrinter(handle, ReadDeviceFile(), &printer)) return 0;
  BYTE descriptor[18] = {};
  descriptor[0] = 18;                 // bLength
  descriptor[1] = 1;                  // bDescriptorType: device
  StoreWord(descriptor + 2, 0x0110);  // bcdUSB
  descriptor[7] = 64;                 // bMaxPacketSize0; class, subclass, protocol stay 0
  StoreWord(descriptor + 8, kVendorId);
  StoreWord(descriptor + 10, kProductId);
  StoreWord(descriptor + 12, printer.id);  // bcdDevice: the printer's ID
  descriptor[14] = 1;                      // iManufacturer
  descriptor[15] = 2;                      // iProduct
  descriptor[16] = 3;                      // iSerialNumber
  descriptor[17] = 1;                      // bNumConfigurations
  std::memcpy(buffer, descriptor, sizeof(descriptor));
  return 1;
}

// Writes `count` bytes to the printer and returns how many were written, 0
// on failure. A set-ID command (ESC, the command code, the new ID) stores the
// new ID; any other data is accepted and dropped.
__declspec(dllexport) LONG WINAPI uWrite(LONG handle, LONG, const BYTE* bytes, LONG count) {
  const std::string text = ReadDeviceFile();
  kv::SimulatedUsbPrinter printer;
  if (bytes == nullptr || count <= 0 || !FindPrinter(handle, text, &printer)) return 0;
  if (static_cast<DWORD>(count) == kSetIdLength &&
      std::memcmp(bytes, kSetIdCommand, sizeof(kSetIdCommand)) == 0) {
    if (!WriteDeviceFile(kv::ReplaceUsbPrinterId(text, printer.line, bytes[9]))) return 0;
  }
  return count;
}

}  // extern "C"
