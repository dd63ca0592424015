// Runs the common services against the real machine and prints one
// "name=value" line per result. Usage: platform-probe.exe VERSIONED-FILE
#include <cstdio>
#include <string>

#include "common/Administrator.h"
#include "common/FileVersion.h"
#include "common/OsFamily.h"
#include "common/RegKey.h"
#include "common/ServiceHandle.h"
#include "common/SpoolerService.h"
#include "win32/Win32Machine.h"

namespace {

constexpr const char* kProbeKey = "Software\\KORVANT\\PlatformProbe";

void Print(const char* name, const std::string& value) {
  std::printf("%s=%s\n", name, value.c_str());
}
void Print(const char* name, long value) {
  std::printf("%s=%ld\n", name, value);
}

// A text and a number written through RegKey, read back through a second key.
void ProbeRegistry(kv::Machine& machine) {
  const std::string text = "probe " + std::to_string(machine.clock.NowMs());
  bool written = false;
  if (kv::CreateKey(machine.registry, kv::RegRoot::CurrentUser, kProbeKey)) {
    kv::RegKey key(machine.registry);
    written = key.Open(kv::RegRoot::CurrentUser, kProbeKey) && key.WriteString("Text", text) &&
              key.WriteDword("Number", 0x12345678);
  }
  kv::RegKey reader(machine.registry);
  std::string readText;
  uint32_t readNumber = 0;
  bool read = reader.Open(kv::RegRoot::CurrentUser, kProbeKey) &&
              reader.QueryValue("text", &readText, 200) && reader.ReadDword("NUMBER", &readNumber);
  // The stored REG_SZ keeps its terminator.
  if (!readText.empty() && readText.back() == '\0') readText.pop_back();
  reader.Close();
  Print("registry.written", written);
  Print("registry.readback", read && readText == text && readNumber == 0x12345678);
  machine.registry.DeleteKey(kv::RegRoot::CurrentUser, kProbeKey);
}

bool WaitForState(kv::Machine& machine, uint32_t wanted) {
  kv::ServiceHandle manager(machine.services);
  kv::ServiceHandle spooler(machine.services);
  if (!manager.OpenManager() ||
      !spooler.OpenService(manager, kv::kSpoolerServiceName, kv::kServiceQueryStatus)) {
    return false;
  }
  for (int poll = 0; poll < 50; ++poll) {
    uint32_t state = 0;
    if (machine.services.QueryState(spooler.get(), &state) == 0 && state == wanted) return true;
    machine.clock.Sleep(100);
  }
  return false;
}

void ProbeSpooler(kv::Machine& machine) {
  std::string message;
  kv::StartSpooler(machine.services, message);
  Print("spooler.started", kv::WaitForSpoolerRunning(machine.services, machine.clock, message));
  std::string again;
  kv::StartSpooler(machine.services, again);
  Print("spooler.startAgainMessage", again);
  kv::StopSpooler(machine.services, machine.clock);
  Print("spooler.stopped", WaitForState(machine, kv::kServiceStopped));
  kv::StartSpooler(machine.services, message);
  Print("spooler.restarted", kv::WaitForSpoolerRunning(machine.services, machine.clock, message));
  Print("spooler.message", message);
}

}  // namespace

int main(int argc, char** argv) {
  kv::Win32Machine win32;
  kv::Machine& machine = win32.machine();

  kv::OsVersionInfo version;
  if (machine.system.GetVersion(&version)) {
    Print("os.version", std::to_string(version.majorVersion) + "." +
                            std::to_string(version.minorVersion) + " platform " +
                            std::to_string(version.platformId));
  }
  Print("os.family", static_cast<long>(kv::GetOsFamily(machine.system)));
  Print("admin", kv::IsAdministrator(machine.security));
  ProbeRegistry(machine);
  if (argc > 1) Print("version.file", kv::GetFileVersionString(machine.versions, argv[1]));
  Print("version.missing",
        kv::GetFileVersionString(machine.versions, "C:\\no such directory\\missing.dll"));
  ProbeSpooler(machine);
  std::printf("done\n");
  return 0;
}
