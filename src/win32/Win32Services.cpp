#include "win32/Win32Services.h"

#include "win32/Win32Api.h"

#include <string>

#include "platform/Errors.h"
#include "win32/Win32Proc.h"

namespace kv {
namespace {

SC_HANDLE ToHandle(ScHandle handle) {
  return reinterpret_cast<SC_HANDLE>(handle);
}

}  // namespace

uint32_t Win32Services::OpenManager(ScHandle* manager) {
  auto* open = FindAdvapiProc<SC_HANDLE WINAPI(LPCSTR, LPCSTR, DWORD)>("OpenSCManagerA");
  if (open == nullptr) return kCallNotImplemented;
  SC_HANDLE opened = open(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (opened == nullptr) return LastFailure();
  *manager = reinterpret_cast<ScHandle>(opened);
  return kErrorSuccess;
}

uint32_t Win32Services::OpenService(ScHandle manager, std::string_view name, uint32_t access,
                                    ScHandle* service) {
  auto* open = FindAdvapiProc<SC_HANDLE WINAPI(SC_HANDLE, LPCSTR, DWORD)>("OpenServiceA");
  if (open == nullptr) return kCallNotImplemented;
  SC_HANDLE opened = open(ToHandle(manager), std::string(name).c_str(), access);
  if (opened == nullptr) return LastFailure();
  *service = reinterpret_cast<ScHandle>(opened);
  return kErrorSuccess;
}

uint32_t Win32Services::CloseHandle(ScHandle handle) {
  auto* close = FindAdvapiProc<BOOL WINAPI(SC_HANDLE)>("CloseServiceHandle");
  if (close == nullptr) return kCallNotImplemented;
  if (!close(ToHandle(handle))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Services::Stop(ScHandle service) {
  auto* control = FindAdvapiProc<BOOL WINAPI(SC_HANDLE, DWORD, LPSERVICE_STATUS)>("ControlService");
  if (control == nullptr) return kCallNotImplemented;
  SERVICE_STATUS status = {};
  if (!control(ToHandle(service), SERVICE_CONTROL_STOP, &status)) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Services::Start(ScHandle service) {
  auto* start = FindAdvapiProc<BOOL WINAPI(SC_HANDLE, DWORD, LPCSTR*)>("StartServiceA");
  if (start == nullptr) return kCallNotImplemented;
  if (!start(ToHandle(service), 0, nullptr)) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Services::QueryState(ScHandle service, uint32_t* currentState) {
  auto* query = FindAdvapiProc<BOOL WINAPI(SC_HANDLE, LPSERVICE_STATUS)>("QueryServiceStatus");
  if (query == nullptr) return kCallNotImplemented;
  SERVICE_STATUS status = {};
  if (!query(ToHandle(service), &status)) return LastFailure();
  *currentState = status.dwCurrentState;
  return kErrorSuccess;
}

}  // namespace kv
