#pragma once

#include "common/PlatformHandles.h"
#include "platform/Services.h"

namespace kv {

// A service control manager or service handle, closed when the object goes.
class ServiceHandle {
 public:
  explicit ServiceHandle(Services& services)
      : services_(services), handle_(ScHandleTraits{&services}) {}

  bool OpenManager() { return services_.OpenManager(handle_.receive()) == 0; }
  bool OpenService(const ServiceHandle& manager, const char* name, uint32_t access) {
    return services_.OpenService(manager.get(), name, access, handle_.receive()) == 0;
  }
  void Close() { handle_.reset(); }
  bool IsOpen() const { return handle_.valid(); }
  ScHandle get() const { return handle_.get(); }

 private:
  Services& services_;
  OwnedScHandle handle_;
};

}  // namespace kv
