#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/Services.h"
#include "sim/Faults.h"

namespace kv::sim {

struct SimService {
  uint32_t state = kServiceRunning;
  // Status queries a start takes before the service reports running.
  int startPolls = 0;
  int pollsLeft = 0;
  // Access rights the caller is granted on the service.
  uint32_t grantedAccess = kServiceQueryStatus | kServiceStart | kServiceStop;
};

// The service control manager, with the "Spooler" service running.
class SimServices : public Services {
 public:
  explicit SimServices(Faults& faults);

  SimService& service(const std::string& name);
  void SetManagerAccessDenied(bool denied) { managerAccessDenied_ = denied; }
  // Windows 95, 98 and Me have no service control manager: opening it fails
  // with kErrorCallNotImplemented.
  void SetManagerImplemented(bool implemented) { managerImplemented_ = implemented; }
  size_t OpenHandleCount() const { return handles_.size(); }
  int stopRequests() const { return stopRequests_; }
  int startRequests() const { return startRequests_; }
  // Told of every change of a service's state (name lower-cased).
  void OnStateChange(std::function<void(const std::string&, uint32_t)> hook) {
    stateHook_ = std::move(hook);
  }

  uint32_t OpenManager(ScHandle* manager) override;
  uint32_t OpenService(ScHandle manager, std::string_view name, uint32_t access,
                       ScHandle* service) override;
  uint32_t CloseHandle(ScHandle handle) override;
  uint32_t Stop(ScHandle service) override;
  uint32_t Start(ScHandle service) override;
  uint32_t QueryState(ScHandle service, uint32_t* currentState) override;

 private:
  struct OpenHandle {
    bool isManager = false;
    std::string service;  // lower-cased
    uint32_t access = 0;
  };
  OpenHandle* ServiceHandle(ScHandle handle, uint32_t neededAccess, uint32_t* error);
  void SetState(const std::string& name, uint32_t state);

  Faults& faults_;
  std::map<std::string, SimService> services_;
  std::map<ScHandle, OpenHandle> handles_;
  ScHandle nextHandle_ = 0x300;
  bool managerAccessDenied_ = false;
  bool managerImplemented_ = true;
  int stopRequests_ = 0;
  int startRequests_ = 0;
  std::function<void(const std::string&, uint32_t)> stateHook_;
};

}  // namespace kv::sim
