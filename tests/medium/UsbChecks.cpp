// The USB stand-ins: KvUsbInt.dll answers from its device file and keeps a
// set-ID command, and USBDrv\Install.exe installs and removes the driver
// files behind a window captioned "ORVA print system setup".
#include <windows.h>

#include <cstring>
#include <string>

#include "Check.h"
#include "MediumFiles.h"
#include "handles/WindowsHandles.h"

namespace kv::medium {
namespace {

using OpenDeviceX = LONG(WINAPI*)(LONG);
using CloseDevice = LONG(WINAPI*)(LONG);
using GetDescriptor = LONG(WINAPI*)(LONG, BYTE*);
using UWrite = LONG(WINAPI*)(LONG, LONG, const BYTE*, LONG);

struct UsbLibrary {
  OpenDeviceX open = nullptr;
  CloseDevice close = nullptr;
  GetDescriptor descriptor = nullptr;
  UWrite write = nullptr;
};

template <typename Function>
Function Bind(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string DeviceFile() {
  return MediumPath("KvUsbInt.txt");
}

bool ValidHandle(LONG handle) {
  return handle != 0 && handle != -1;
}

int CountDevices(const UsbLibrary& usb) {
  int count = 0;
  for (LONG index = 0; index < 8; ++index) {
    const LONG handle = usb.open(index);
    if (ValidHandle(handle)) ++count;
    usb.close(handle);
  }
  return count;
}

// The ID from bytes 12 and 13 of the descriptor, or -1.
long ReadId(const UsbLibrary& usb, LONG index) {
  BYTE buffer[20];
  std::memset(buffer, 0xCC, sizeof(buffer));
  const LONG handle = usb.open(index);
  if (!ValidHandle(handle)) return -1;
  const LONG ok = usb.descriptor(handle, buffer);
  usb.close(handle);
  if (ok == 0) return -1;
  return buffer[12] | (buffer[13] << 8);
}

void CheckDescriptors(const UsbLibrary& usb) {
  DeleteFileA(DeviceFile().c_str());
  CheckEqual(CountDevices(usb), 0, "no device file: no printer");
  CheckEqual(usb.open(-1), 0, "OpenDeviceX(-1)");
  CheckEqual(usb.open(8), 0, "OpenDeviceX(8)");

  WriteWholeFile(DeviceFile(),
                 "; two printers\r\n10\r\n\r\n# the second one\r\n0x0003\r\nbogus\r\n"
                 "70000\r\n");
  CheckEqual(CountDevices(usb), 2, "comments, blanks and invalid IDs are not printers");
  CheckEqual(ReadId(usb, 0), 10, "first printer's ID");
  CheckEqual(ReadId(usb, 1), 3, "second printer's ID, written in hexadecimal");

  BYTE buffer[20];
  std::memset(buffer, 0xCC, sizeof(buffer));
  const LONG handle = usb.open(0);
  Check(usb.descriptor(handle, buffer) != 0, "GetDescriptor succeeds");
  Check(buffer[0] == 18 && buffer[1] == 1 && buffer[17] == 1,
        "a standard device descriptor: length 18, type 1, one configuration");
  Check(buffer[18] == 0xCC && buffer[19] == 0xCC, "GetDescriptor writes 18 bytes only");
  usb.close(handle);
  CheckEqual(usb.descriptor(0, buffer), 0, "GetDescriptor on handle 0");
  CheckEqual(usb.descriptor(-1, buffer), 0, "GetDescriptor on handle -1");
  CheckEqual(usb.descriptor(handle, nullptr), 0, "GetDescriptor without a buffer");

  WriteWholeFile(DeviceFile(), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
  CheckEqual(CountDevices(usb), 8, "at most eight printers");
  CheckEqual(ReadId(usb, 7), 8, "the eighth printer");
}

void CheckSetId(const UsbLibrary& usb) {
  WriteWholeFile(DeviceFile(), "; printers\r\n10\r\n0x0003\r\n");
  const BYTE command[10] = {0x1B, 0x6B, 0x51, 0x2A, 0xC6, 0x0B, 0x3E, 0x58, 0x21, 5};
  LONG handle = usb.open(1);
  CheckEqual(usb.write(handle, 0, command, 10), 10, "uWrite of the set-ID command");
  usb.close(handle);
  CheckEqual(ReadId(usb, 1), 5, "the set-ID command stores the new ID");
  CheckEqual(ReadId(usb, 0), 10, "the other printer keeps its ID");
  Check(ReadWholeFile(DeviceFile()).compare(0, 10, "; printers") == 0,
        "the device file keeps its comments");

  handle = usb.open(0);
  const BYTE text[] = "ABC";
  CheckEqual(usb.write(handle, 0, text, 3), 3, "uWrite of print data");
  BYTE wrongCode[10];
  std::memcpy(wrongCode, command, sizeof(wrongCode));
  wrongCode[8] = 0x22;
  CheckEqual(usb.write(handle, 0, wrongCode, 10), 10, "uWrite of ten other bytes");
  CheckEqual(usb.write(handle, 0, text, 0), 0, "uWrite of nothing");
  usb.close(handle);
  CheckEqual(ReadId(usb, 0), 10, "other data leaves the ID alone");
  CheckEqual(usb.write(0, 0, command, 10), 0, "uWrite on handle 0");
  CheckEqual(usb.write(-1, 0, command, 10), 0, "uWrite on handle -1");

  // An unplugged printer: its handle no longer answers.
  handle = usb.open(1);
  WriteWholeFile(DeviceFile(), "10\r\n");
  CheckEqual(usb.descriptor(handle, const_cast<BYTE*>(command)), 0,
             "GetDescriptor after the printer was unplugged");
  usb.close(handle);
}

void CheckUsbLibrary() {
  const LibraryHandle library(LoadLibraryA(MediumPath("KvUsbInt.dll").c_str()));
  Check(library.valid(), "KvUsbInt.dll loads");
  if (!library) return;
  UsbLibrary usb;
  usb.open = Bind<OpenDeviceX>(library.get(), "OpenDeviceX");
  usb.close = Bind<CloseDevice>(library.get(), "CloseDevice");
  usb.descriptor = Bind<GetDescriptor>(library.get(), "GetDescriptor");
  usb.write = Bind<UWrite>(library.get(), "uWrite");
  Check(usb.open && usb.close && usb.descriptor && usb.write,
        "KvUsbInt.dll exports OpenDeviceX, CloseDevice, GetDescriptor, uWrite undecorated");
  if (usb.open && usb.close && usb.descriptor && usb.write) {
    const std::string shipped = ReadWholeFile(DeviceFile());
    CheckDescriptors(usb);
    CheckSetId(usb);
    WriteWholeFile(DeviceFile(), shipped);
  }
}

struct InstallerRun {
  bool started = false;
  bool windowSeen = false;
  DWORD exitCode = 0xdeadbeef;
  DWORD windowMilliseconds = 0;
};

// Starts the installer as the programs do and waits for it, watching its
// window as the programs do.
InstallerRun RunInstaller(const char* parameter) {
  InstallerRun run;
  std::string commandLine = "\"" + MediumPath("USBDrv\\Install.exe") + "\" " + parameter;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  run.started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process) != FALSE;
  if (!run.started) return run;
  const KernelHandle processHandle(process.hProcess);
  const KernelHandle threadHandle(process.hThread);
  DWORD firstSeen = 0;
  for (int i = 0; i < 300; ++i) {  // 15 s at most
    const bool shown = FindWindowA(nullptr, "ORVA print system setup") != nullptr;
    if (shown && !run.windowSeen) {
      run.windowSeen = true;
      firstSeen = GetTickCount();
    }
    if (!shown && run.windowSeen && run.windowMilliseconds == 0) {
      run.windowMilliseconds = GetTickCount() - firstSeen;
    }
    if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
  }
  if (run.windowSeen && run.windowMilliseconds == 0)
    run.windowMilliseconds = GetTickCount() - firstSeen;
  if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 9);
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  return run;
}

void CheckInstaller() {
  const std::string driver = WindowsDirectory() + "\\system32\\drivers\\bulkusb.sys";
  const std::string information = WindowsDirectory() + "\\inf\\bulkusb.inf";
  DeleteFileA(driver.c_str());
  DeleteFileA(information.c_str());

  InstallerRun run = RunInstaller("2");
  Check(run.started, "Install.exe 2 starts");
  Check(run.windowSeen, "Install.exe 2 shows its window");
  Check(run.windowMilliseconds >= 1500,
        "the window stays about two seconds: " + std::to_string(run.windowMilliseconds) + " ms");
  CheckEqual(run.exitCode, 0, "Install.exe 2 exit code");
  CheckEqual(FileVersion(driver), "1.0.0.3", "installed bulkusb.sys version");
  Check(FileExists(information), "bulkusb.inf installed");

  // A read-only installed driver is still replaced and removed.
  SetFileAttributesA(driver.c_str(), FILE_ATTRIBUTE_READONLY);
  run = RunInstaller("2");
  CheckEqual(run.exitCode, 0, "Install.exe 2 over a read-only driver");
  SetFileAttributesA(driver.c_str(), FILE_ATTRIBUTE_READONLY);
  run = RunInstaller("22");
  Check(run.windowSeen, "Install.exe 22 shows its window");
  CheckEqual(run.exitCode, 0, "Install.exe 22 exit code");
  Check(!FileExists(driver) && !FileExists(information), "Install.exe 22 removes both files");
  run = RunInstaller("22");
  CheckEqual(run.exitCode, 0, "Install.exe 22 with nothing installed");

  run = RunInstaller("3");
  Check(!run.windowSeen, "Install.exe 3 shows no window");
  CheckEqual(run.exitCode, 2, "Install.exe 3 exit code");
}

}  // namespace

void RunUsbChecks() {
  CheckUsbLibrary();
  CheckInstaller();
}

}  // namespace kv::medium
