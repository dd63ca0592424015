// The contract's target on the simulated machine.
#include <cstdlib>

#include "contract/Target.h"
#include "contract/sim/SimContractMachine.h"

namespace kv::contract {

sim::SimMachine& SimContractMachine() {
  static sim::SimMachine machine;
  return machine;
}

namespace {

sim::SimMachine& Sim() {
  return SimContractMachine();
}

int32_t MulDivRounded(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return -1;
  int64_t product = a * b;
  int64_t quotient = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
  return static_cast<int32_t>(((product < 0) != (c < 0)) ? -quotient : quotient);
}

}  // namespace

Machine& ContractMachine() {
  return Sim().machine();
}

bool RunningOnWine() {
  return false;
}

std::string NewScratchDirectory() {
  static int counter = 0;
  std::string path = "C:\\scratch\\case" + std::to_string(++counter);
  Sim().files().AddDirectory(path);
  return path;
}

void ArrangeCurrentDirectory(const std::string& path) {
  Sim().files().SetCurrentDirectory(path);
}

bool ArrangeTopLevelWindow(const std::string& caption) {
  Sim().desktop().AddWindow(caption);
  return true;
}

void RemoveTopLevelWindow(const std::string& caption) {
  Sim().desktop().RemoveWindow(caption);
}

void ArrangeFile(const std::string& path, std::string_view contents) {
  Sim().files().AddFile(path, std::string(contents));
}

std::shared_ptr<void> HoldFileOpen(const std::string& path) {
  Sim().files().MarkInUse(path);
  return std::shared_ptr<void>(nullptr, [path](void*) { Sim().files().MarkInUse(path, false); });
}

std::string VersionedFile() {
  const std::string path = "C:\\fixtures\\versioned.dll";
  sim::SimFile& file = Sim().files().AddFile(path, "MZ");
  sim::VersionResource resource;
  resource.translations = {{0x0409, 0x04e4}, {0x0407, 0x04e4}};
  resource.stringTables["040904e4"]["FileVersion"] = "3.1.4.15";
  resource.stringTables["040904e4"]["Comments"] = "one\001two\002three";
  resource.stringTables["040704e4"]["FileVersion"] = "9.9.9.9";
  file.version = resource;
  return path;
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
  std::string directory = Sim().spooler().DriverDirectory();
  std::string base(name);
  DriverInfo3 info;
  info.version = 3;
  info.name = base;
  info.driverPath = base + "drv.dll";
  info.dataFile = base + ".gpd";
  info.configFile = base + "ui.dll";
  for (const auto& file : {info.driverPath, info.dataFile, info.configFile}) {
    Sim().files().AddFile(directory + "\\" + file, "MZ");
  }
  return info;
}

void ArrangeKernelLibrary() {
  sim::SimLibrary& kernel = Sim().modules().AddLibrary("kernel32.dll");
  kernel.exports["lstrlenA"] = [](std::span<const ProcArg> args) -> int32_t {
    const auto& text = std::get<std::span<uint8_t>>(args[0]);
    int32_t length = 0;
    while (static_cast<size_t>(length) < text.size() && text[length] != 0) ++length;
    return length;
  };
  kernel.exports["MulDiv"] = [](std::span<const ProcArg> args) -> int32_t {
    return MulDivRounded(std::get<int32_t>(args[0]), std::get<int32_t>(args[1]),
                         std::get<int32_t>(args[2]));
  };
}

}  // namespace kv::contract
