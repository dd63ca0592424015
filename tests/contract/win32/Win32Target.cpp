// The contract's target on the real API (run under Wine in the posix cross
// build).
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "contract/Target.h"
#include "win32/Win32Api.h"
// after the Windows headers' macros are undone
#include "handles/WindowsHandles.h"
#include "win32/Win32Machine.h"
#include "win32/WineHost.h"

namespace kv::contract {
namespace {

std::string ModuleDirectory() {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path, length);
  return full.substr(0, full.find_last_of('\\'));
}

void CopyOrThrow(const std::string& source, const std::string& target) {
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + source + " to " + target + ": " +
                             std::to_string(GetLastError()));
  }
}

}  // namespace

Machine& ContractMachine() {
  static Win32Machine win32;
  return win32.machine();
}

bool RunningOnWine() {
  return HostIsWine();
}

std::string NewScratchDirectory() {
  static int counter = 0;
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string base(temp);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  for (;;) {
    std::string dir = base + "\\kvcontract-" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(++counter);
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      throw std::runtime_error("cannot create " + dir + ": " + std::to_string(GetLastError()));
    }
  }
}

void ArrangeCurrentDirectory(const std::string& path) {
  if (!SetCurrentDirectoryA(path.c_str())) {
    throw std::runtime_error("cannot change to " + path + ": " + std::to_string(GetLastError()));
  }
}

// The windows the cases opened, by caption.
std::map<std::string, OwnedWindow>& OpenWindows() {
  static std::map<std::string, OwnedWindow> windows;
  return windows;
}

bool ArrangeTopLevelWindow(const std::string& caption) {
  HWND window = CreateWindowExA(0, "STATIC", caption.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return false;
  OpenWindows()[caption].reset(window);
  return true;
}

void RemoveTopLevelWindow(const std::string& caption) {
  OpenWindows().erase(caption);
}

void ArrangeFile(const std::string& path, std::string_view contents) {
  const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throw std::runtime_error("cannot create " + path + ": " + std::to_string(GetLastError()));
  }
  DWORD written = 0;
  BOOL ok = WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                      nullptr);
  if (!ok || written != contents.size()) throw std::runtime_error("cannot write " + path);
}

std::shared_ptr<void> HoldFileOpen(const std::string& path) {
  auto file =
      std::make_shared<FileHandle>(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!*file) {
    throw std::runtime_error("cannot open " + path + ": " + std::to_string(GetLastError()));
  }
  return file;
}

std::string VersionedFile() {
  return ModuleDirectory() + "\\version-fixture.dll";
}

InstalledMonitor ExistingMonitor() {
  return {"Local Port", "localspl.dll"};
}

InstalledProcessor ExistingProcessor() {
  return {"WinPrint", "winprint.dll"};
}

std::string ExistingPort() {
  return "LPT1:";
}

DriverInfo3 ArrangeDriverFiles(std::string_view name) {
  std::string directory;
  if (ContractMachine().spooler.GetPrinterDriverDirectory(&directory) != 0) {
    throw std::runtime_error("no printer driver directory");
  }
  DriverInfo3 info;
  info.version = 3;
  info.name = std::string(name);
  if (RunningOnWine()) {
    // Wine's spooler asks the configuration library for the printer's
    // default settings when it adds a printer and calls what it finds
    // without checking: only a real driver will do, and Wine's PostScript
    // driver is built in.
    info.driverPath = "wineps.drv";
    info.dataFile = "generic.ppd";
    info.configFile = "wineps.drv";
    // The prefix has the files only in the version folder, and deleting a
    // driver deletes them there; the spooler copies them back from the
    // driver directory when the driver is added again.
    for (const std::string* file : {&info.driverPath, &info.dataFile}) {
      const std::string kept = directory + "\\" + *file;
      if (GetFileAttributesA(kept.c_str()) == INVALID_FILE_ATTRIBUTES) {
        CopyFileA((directory + "\\3\\" + *file).c_str(), kept.c_str(), TRUE);
      }
    }
    return info;
  }
  // Windows checks that the files exist and loads the configuration file;
  // the fixture is a loadable library without exports.
  info.driverPath = "kvcontractdrv.dll";
  info.dataFile = "kvcontract.gpd";
  info.configFile = "kvcontractui.dll";
  for (const std::string* file : {&info.driverPath, &info.dataFile, &info.configFile}) {
    CopyOrThrow(VersionedFile(), directory + "\\" + *file);
  }
  return info;
}

void ArrangeKernelLibrary() {}

}  // namespace kv::contract
