#include "platform/win32/Win32Services.h"

#include "platform/win32/Win32Api.h"

#include <string>

#include "platform/Errors.h"
#include "platform/win32/Win32Proc.h"

namespace kv {
namespace {

constexpr DWORD kCallNotImplemented = 120;  // ERROR_CALL_NOT_IMPLEMENTED

template <typename Function>
Function* Advapi(const char* name) {
  return FindSystemProc<Function>("advapi32.dll", name);
}

SC_HANDLE ToHandle(ScHandle handle) {
  return reinterpret_cast<SC_HANDLE>(handle);
}

uint32_t Failure() {
  return LastErrorOr(kErrorInvalidFunction);
}

}  // namespace

uint32_t Win32Services::OpenManager(ScHandle* manager) {
  auto* open = Advapi<SC_HANDLE WINAPI(LPCSTR, LPCSTR, DWORD)>("OpenSCManagerA");
  if (open == nullptr) return kCallNotImplemented;
  SC_HANDLE opened = open(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (opened == nullptr) return Failure();
  *manager = reinterpret_cast<ScHandle>(opened);
  return kErrorSuccess;
}

uint32_t Win32Services::OpenService(ScHandle manager, std::string_view name, uint32_t access,
                                    ScHandle* service) {
  auto* open = Advapi<SC_HANDLE WINAPI(SC_HANDLE, LPCSTR, DWORD)>("OpenServiceA");
  if (open == nullptr) return kCallNotImplemented;
  SC_HANDLE opened = open(ToHandle(manager), std::string(name).c_str(), access);
  if (opened == nullptr) return Failure();
  *service = reinterpret_cast<ScHandle>(opened);
  return kErrorSuccess;
}

uint32_t Win32Services::CloseHandle(ScHandle handle) {
  auto* close = Advapi<BOOL WINAPI(SC_HANDLE)>("CloseServiceHandle");
  if (close == nullptr) return kCallNotImplemented;
  if (!close(ToHandle(handle))) return Failure();
  return kErrorSuccess;
}

uint32_t Win32Services::Stop(ScHandle service) {
  auto* control = Advapi<BOOL WINAPI(SC_HANDLE, DWORD, LPSERVICE_STATUS)>("ControlService");
  if (control == nullptr) return kCallNotImplemented;
  SERVICE_STATUS status = {};
  if (!control(ToHandle(service), SERVICE_CONTROL_STOP, &status)) return Failure();
  return kErrorSuccess;
}

uint32_t Win32Services::Start(ScHandle service) {
  auto* start = Advapi<BOOL WINAPI(SC_HANDLE, DWORD, LPCSTR*)>("StartServiceA");
  if (start == nullptr) return kCallNotImplemented;
  if (!start(ToHandle(service), 0, nullptr)) return Failure();
  return kErrorSuccess;
}

uint32_t Win32Services::QueryState(ScHandle service, uint32_t* currentState) {
  auto* query = Advapi<BOOL WINAPI(SC_HANDLE, LPSERVICE_STATUS)>("QueryServiceStatus");
  if (query == nullptr) return kCallNotImplemented;
  SERVICE_STATUS status = {};
  if (!query(ToHandle(service), &status)) return Failure();
  *currentState = status.dwCurrentState;
  return kErrorSuccess;
}

}  // namespace kv
