#pragma once

#include "platform/Services.h"

namespace kv {

// A service control manager or service handle, closed when the object goes.
class ServiceHandle {
 public:
  explicit ServiceHandle(Services& services) : services_(services) {}
  ~ServiceHandle() { Close(); }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;

  bool OpenManager() { return services_.OpenManager(&handle_) == 0; }
  bool OpenService(const ServiceHandle& manager, const char* name, uint32_t access) {
    return services_.OpenService(manager.get(), name, access, &handle_) == 0;
  }
  void Close() {
    if (handle_ != 0) services_.CloseHandle(handle_);
    handle_ = 0;
  }
  bool IsOpen() const { return handle_ != 0; }
  ScHandle get() const { return handle_; }

 private:
  Services& services_;
  ScHandle handle_ = 0;
};

}  // namespace kv
