// The USB port monitor: one port per USB port name that Printer Driver Setup
// has recorded under HKLM\SOFTWARE\KORVANT\PRINTERPORT. The eight values "D1"
// to "D8" in that key are not ports.
#include <cstring>

#include "handles/WindowsHandles.h"
#include "monitors/PortMonitor.h"

namespace kv {
namespace {

bool IsReservedValue(const char* name) {
  return std::strlen(name) == 2 && name[0] == 'D' && name[1] >= '1' && name[1] <= '8';
}

}  // namespace

const MonitorIdentity& ThisMonitor() {
  static const MonitorIdentity identity = {"Korvant USB Monitor", "Korvant USB printer port"};
  return identity;
}

std::vector<std::string> ListPorts() {
  std::vector<std::string> ports;
  KeyHandle key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVANT\\PRINTERPORT", 0, KEY_READ,
                    key.receive()) != ERROR_SUCCESS) {
    return ports;
  }
  for (DWORD index = 0;; ++index) {
    char name[260] = {};
    DWORD length = sizeof(name);
    if (RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (!IsReservedValue(name)) ports.push_back(name);
  }
  return ports;
}

}  // namespace kv
