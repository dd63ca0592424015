#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kv::sim {

// Every platform call the simulated machine answers; each can be made to fail.
enum class Call {
  RegOpenKey,
  RegCreateKey,
  RegCloseKey,
  RegQueryValue,
  RegSetValue,
  RegDeleteValue,
  RegEnumValue,
  RegEnumKey,
  RegDeleteKey,
  AddPrinter,
  DeletePrinter,
  GetPrinter,
  SetPrinter,
  EnumPrinters,
  AddPrinterDriver,
  DeletePrinterDriverAndUnusedFiles,
  EnumPrinterDrivers,
  AddMonitor,
  DeleteMonitor,
  EnumMonitors,
  AddPrintProcessor,
  DeletePrintProcessor,
  EnumPrintProcessors,
  EnumPorts,
  GetPrinterDriverDirectory,
  GetPrintProcessorDirectory,
  SetDefaultPrinter,
  ScOpenManager,
  ScOpenService,
  ScCloseHandle,
  ScStop,
  ScStart,
  ScQueryState,
  CopyFile,
  DeleteFile,
  GetAttributes,
  SetAttributes,
  OpenExisting,
  ReadWholeFile,
  CreateDirectory,
  DeleteAtRestart,
  ReplaceAtRestart,
  ReadPendingRenames,
  CreateTempFile,
  FindFiles,
  GetCurrentDirectory,
  GetSystemDirectory,
  GetWindowsDirectory,
  GetModuleFileName,
  WritePrivateProfileString,
  WriteProfileString,
  VersionGetInfoSize,
  VersionGetInfo,
  GetVersion,
  RestartComputer,
  OpenThreadToken,
  OpenProcessToken,
  QueryGroupsSize,
  GetGroups,
  BuildSid,
  VersionQueryValue,
  LoadModule,
  LookupProc,
  FreeModule,
  FindTopLevelWindow,
  ShellExecute,
  MessageBox,
  StartThread,
  JoinThread,
  CreateNamedMutex,
  OpenPrinter,
  QueryPrinter,
  DeleteOpenPrinter,
  ClosePrinter,
  EnableShutdownPrivilege,
  kCount
};

// Injected failures: once (the next call) or always, with a chosen error.
class Faults {
 public:
  void FailNext(Call call, uint32_t error) { slot(call) = Fault{error, true}; }
  void FailAlways(Call call, uint32_t error) { slot(call) = Fault{error, false}; }
  void Clear(Call call) { slot(call).reset(); }

  // The error to report for this call, or 0 to carry it out.
  uint32_t Check(Call call) {
    auto& fault = slot(call);
    if (!fault) return 0;
    uint32_t error = fault->error;
    if (fault->once) fault.reset();
    return error;
  }

 private:
  struct Fault {
    uint32_t error;
    bool once;
  };
  std::optional<Fault>& slot(Call call) { return faults_[static_cast<size_t>(call)]; }
  std::array<std::optional<Fault>, static_cast<size_t>(Call::kCount)> faults_{};
};

}  // namespace kv::sim
