#include "sim/SimServices.h"

#include "platform/Errors.h"
#include "sim/PathKey.h"

namespace kv::sim {

SimServices::SimServices(Faults& faults) : faults_(faults) {
  services_["spooler"];
}

SimService& SimServices::service(const std::string& name) {
  return services_[LowerAscii(name)];
}

void SimServices::SetState(const std::string& name, uint32_t state) {
  SimService& s = services_[name];
  if (s.state == state) return;
  s.state = state;
  if (stateHook_) stateHook_(name, state);
}

uint32_t SimServices::OpenManager(ScHandle* manager) {
  if (uint32_t e = faults_.Check(Call::ScOpenManager)) return e;
  if (!managerImplemented_) return kErrorCallNotImplemented;
  if (managerAccessDenied_) return kErrorAccessDenied;
  *manager = nextHandle_++;
  handles_[*manager] = OpenHandle{true, {}, 0};
  return kErrorSuccess;
}

uint32_t SimServices::OpenService(ScHandle manager, std::string_view name, uint32_t access,
                                  ScHandle* service) {
  if (uint32_t e = faults_.Check(Call::ScOpenService)) return e;
  auto it = handles_.find(manager);
  if (it == handles_.end() || !it->second.isManager) return kErrorInvalidHandle;
  std::string key = LowerAscii(name);
  auto svc = services_.find(key);
  if (svc == services_.end()) return kErrorServiceDoesNotExist;
  if ((svc->second.grantedAccess & access) != access) return kErrorAccessDenied;
  *service = nextHandle_++;
  handles_[*service] = OpenHandle{false, key, access};
  return kErrorSuccess;
}

uint32_t SimServices::CloseHandle(ScHandle handle) {
  if (uint32_t e = faults_.Check(Call::ScCloseHandle)) return e;
  return handles_.erase(handle) ? kErrorSuccess : kErrorInvalidHandle;
}

SimServices::OpenHandle* SimServices::ServiceHandle(ScHandle handle, uint32_t neededAccess,
                                                    uint32_t* error) {
  auto it = handles_.find(handle);
  if (it == handles_.end() || it->second.isManager) {
    *error = kErrorInvalidHandle;
    return nullptr;
  }
  if ((it->second.access & neededAccess) != neededAccess) {
    *error = kErrorAccessDenied;
    return nullptr;
  }
  return &it->second;
}

uint32_t SimServices::Stop(ScHandle service) {
  if (uint32_t e = faults_.Check(Call::ScStop)) return e;
  uint32_t error = 0;
  OpenHandle* h = ServiceHandle(service, kServiceStop, &error);
  if (!h) return error;
  ++stopRequests_;
  if (services_[h->service].state == kServiceStopped) return kErrorServiceNotActive;
  SetState(h->service, kServiceStopped);
  return kErrorSuccess;
}

uint32_t SimServices::Start(ScHandle service) {
  if (uint32_t e = faults_.Check(Call::ScStart)) return e;
  uint32_t error = 0;
  OpenHandle* h = ServiceHandle(service, kServiceStart, &error);
  if (!h) return error;
  ++startRequests_;
  SimService& s = services_[h->service];
  if (s.state != kServiceStopped) return kErrorServiceAlreadyRunning;
  s.pollsLeft = s.startPolls;
  SetState(h->service, s.startPolls > 0 ? kServiceStartPending : kServiceRunning);
  return kErrorSuccess;
}

uint32_t SimServices::QueryState(ScHandle service, uint32_t* currentState) {
  if (uint32_t e = faults_.Check(Call::ScQueryState)) return e;
  uint32_t error = 0;
  OpenHandle* h = ServiceHandle(service, kServiceQueryStatus, &error);
  if (!h) return error;
  SimService& s = services_[h->service];
  if (s.state == kServiceStartPending && s.pollsLeft-- <= 0) {
    SetState(h->service, kServiceRunning);
  }
  *currentState = s.state;
  return kErrorSuccess;
}

}  // namespace kv::sim
