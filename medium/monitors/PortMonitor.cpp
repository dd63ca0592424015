#include "monitors/PortMonitor.h"

#include <winsplp.h>

#include <memory>

#include "handles/WindowsHandles.h"
#include "monitors/WideText.h"

namespace kv {
namespace {

struct OpenPortState {
  std::string name;
  FileHandle capture;  // open between StartDocPort and EndDocPort
};

// The spooler hands back what OpenPort returned; only our own states are
// ever passed in.
OpenPortState* StateOf(HANDLE port) {
  return static_cast<OpenPortState*>(port);
}

bool KnowsPort(const std::string& name) {
  for (const std::string& port : ListPorts()) {
    if (lstrcmpiA(port.c_str(), name.c_str()) == 0) return true;
  }
  return false;
}

// Lays out PORT_INFO_1W or PORT_INFO_2W records followed by their strings,
// the way the spooler's two-call enumeration expects.
BOOL FillPorts(DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
  if (needed == nullptr || returned == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *returned = 0;
  if (level != 1 && level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  const std::vector<std::string> ports = ListPorts();
  const MonitorIdentity& self = ThisMonitor();
  const std::wstring monitor = Widen(self.monitorName);
  const std::wstring description = Widen(self.description);
  const DWORD record = level == 1 ? sizeof(PORT_INFO_1W) : sizeof(PORT_INFO_2W);
  DWORD total = 0;
  std::vector<std::wstring> names;
  for (const std::string& port : ports) {
    names.push_back(Widen(port.c_str()));
    total += record + WideBytes(names.back());
    if (level == 2) total += WideBytes(monitor) + WideBytes(description);
  }
  *needed = total;
  if (buffer == nullptr || size < total) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  LPBYTE strings = buffer + record * names.size();
  for (size_t i = 0; i < names.size(); ++i) {
    LPWSTR name = PlaceWide(names[i], &strings);
    if (level == 1) {
      reinterpret_cast<PORT_INFO_1W*>(buffer)[i].pName = name;
    } else {
      PORT_INFO_2W& info = reinterpret_cast<PORT_INFO_2W*>(buffer)[i];
      info.pPortName = name;
      info.pMonitorName = PlaceWide(monitor, &strings);
      info.pDescription = PlaceWide(description, &strings);
      info.fPortType = PORT_TYPE_WRITE;
      info.Reserved = 0;
    }
  }
  *returned = static_cast<DWORD>(names.size());
  return TRUE;
}

BOOL OpenNamedPort(LPWSTR name, PHANDLE handle) {
  if (name == nullptr || handle == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string port = Narrow(name);
  if (!KnowsPort(port)) {
    SetLastError(ERROR_UNKNOWN_PORT);
    return FALSE;
  }
  auto state = std::make_unique<OpenPortState>();
  state->name = port;
  *handle = state.release();
  return TRUE;
}

// Called for both the MONITOR2 and the MONITOR tables below.
BOOL WINAPI StartDocPort(HANDLE port, LPWSTR, DWORD, DWORD, LPBYTE) {
  OpenPortState* state = StateOf(port);
  if (state == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (state->capture) return TRUE;
  state->capture =
      FileHandle(CreateFileA(PortCaptureFile(state->name).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!state->capture) return FALSE;
  SetFilePointer(state->capture.get(), 0, nullptr, FILE_END);
  return TRUE;
}

BOOL WINAPI WritePort(HANDLE port, LPBYTE data, DWORD size, LPDWORD written) {
  OpenPortState* state = StateOf(port);
  if (state == nullptr || written == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *written = 0;
  if (!state->capture) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return WriteFile(state->capture.get(), data, size, written, nullptr);
}

BOOL WINAPI ReadPort(HANDLE, LPBYTE, DWORD, LPDWORD read) {
  // The stand-in printers never answer.
  if (read != nullptr) *read = 0;
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

BOOL WINAPI EndDocPort(HANDLE port) {
  OpenPortState* state = StateOf(port);
  if (state == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  state->capture.reset();
  return TRUE;
}

BOOL WINAPI ClosePort(HANDLE port) {
  std::unique_ptr<OpenPortState> state(StateOf(port));
  if (!state) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

// MONITOR2 entry points (Windows 2000 and later).
BOOL WINAPI EnumPorts2(HANDLE, LPWSTR, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                       LPDWORD returned) {
  return FillPorts(level, ports, size, needed, returned);
}
BOOL WINAPI OpenPort2(HANDLE, LPWSTR name, PHANDLE handle) {
  return OpenNamedPort(name, handle);
}
VOID WINAPI Shutdown2(HANDLE) {}

// MONITOR entry points (Windows NT 4.0).
BOOL WINAPI EnumPorts1(LPWSTR, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                       LPDWORD returned) {
  return FillPorts(level, ports, size, needed, returned);
}
BOOL WINAPI OpenPort1(LPWSTR name, PHANDLE handle) {
  return OpenNamedPort(name, handle);
}

MONITOR2 MakeMonitor2() {
  MONITOR2 table = {};
  table.cbSize = sizeof(MONITOR2);
  table.pfnEnumPorts = EnumPorts2;
  table.pfnOpenPort = OpenPort2;
  table.pfnStartDocPort = StartDocPort;
  table.pfnWritePort = WritePort;
  table.pfnReadPort = ReadPort;
  table.pfnEndDocPort = EndDocPort;
  table.pfnClosePort = ClosePort;
  table.pfnShutdown = Shutdown2;
  return table;
}

MONITOREX MakeMonitorEx() {
  MONITOREX table = {};
  table.dwMonitorSize = sizeof(MONITOR);
  table.Monitor.pfnEnumPorts = EnumPorts1;
  table.Monitor.pfnOpenPort = OpenPort1;
  table.Monitor.pfnStartDocPort = StartDocPort;
  table.Monitor.pfnWritePort = WritePort;
  table.Monitor.pfnReadPort = ReadPort;
  table.Monitor.pfnEndDocPort = EndDocPort;
  table.Monitor.pfnClosePort = ClosePort;
  return table;
}

MONITOR2 monitor2 = MakeMonitor2();
MONITOREX monitorEx = MakeMonitorEx();

}  // namespace

std::string PortCaptureFile(const std::string& portName) {
  char temp[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  std::string path = length > 0 && length < MAX_PATH ? temp : "C:\\";
  for (char c : portName) {
    if (c != ':' && c != '\\' && c != '/' && c != '*' && c != '?') path += c;
  }
  return path + ".prn";
}

}  // namespace kv

extern "C" {

__declspec(dllexport) LPMONITOR2 WINAPI
    InitializePrintMonitor2(PMONITORINIT init, PHANDLE monitor) {
  if (init == nullptr || monitor == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // No per-instance state: the ports come from ListPorts on every call.
  *monitor = reinterpret_cast<HANDLE>(&kv::monitor2);
  return &kv::monitor2;
}

__declspec(dllexport) LPMONITOREX WINAPI InitializePrintMonitor(LPWSTR) {
  return &kv::monitorEx;
}

}  // extern "C"
